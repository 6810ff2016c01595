#!/usr/bin/env python3
"""A bulletin board on 127.0.0.1 for end-to-end tests. It publishes its rules in
/board/SETTING.TXT (Shift_JIS) and checks each post against them as a board
does: a message of more than BBS_MESSAGE_COUNT bytes, or of more than twice
BBS_LINE_NUMBER lines, is refused. The form at /board/ is a Shift_JIS page; the
page answering a post carries the form again, so posts can follow each other.

Every post is written to the log as one JSON line: {"ok": bool, "reason": str,
"message": the text as posted, line breaks as "\\r\\n"}.

Usage: boardserver.py LOG PORT_FILE [MESSAGE_COUNT LINE_NUMBER]
The port it listens on is written to PORT_FILE once it is ready.
"""
import http.server
import json
import os
import sys
import urllib.parse

log_path, port_file = sys.argv[1:3]
message_count = int(sys.argv[3]) if len(sys.argv) > 3 else 300
line_number = int(sys.argv[4]) if len(sys.argv) > 4 else 5

SETTING = (
    "board@board\r\n"
    "BBS_TITLE=テスト掲示板\r\n"
    f"BBS_MESSAGE_COUNT={message_count}\r\n"
    f"BBS_LINE_NUMBER={line_number}\r\n"
    "BBS_TEXT_COLOR=#000000\r\n"
    "BBS_BG_COLOR=#FFFFEE\r\n"
    "BBS_THREAD_COLOR=green\r\n"
).encode("cp932")

FORM = (
    '<form method="POST" action="/test/bbs.cgi" accept-charset="Shift_JIS">'
    '<textarea name="MESSAGE" autofocus style="position:absolute;left:0;top:0;'
    'width:98%;height:300px"></textarea>'
    '<div style="position:absolute;left:0;top:310px">'
    '<input type="submit" value="書き込む">'
    '<p id="state">{state}</p></div></form>'
)


def page(state):
    body = "<html><head><title>テスト掲示板</title></head><body style=\"margin:0\">"
    return (body + FORM.format(state=state) + "</body></html>").encode("cp932")


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def send(self, status, body, content_type):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        path = urllib.parse.urlsplit(self.path).path
        if path == "/board/SETTING.TXT":
            self.send(200, SETTING, "text/plain")
        elif path in ("/board/", "/board/index.html"):
            self.send(200, page("書き込んでください"), "text/html; charset=Shift_JIS")
        else:
            self.send(404, b"not found", "text/plain")

    def do_POST(self):
        length = int(self.headers.get("Content-Length", "0"))
        raw = self.rfile.read(length).decode("ascii", "replace")
        message = b""
        for field in raw.split("&"):
            name, _, value = field.partition("=")
            if name == "MESSAGE":
                message = urllib.parse.unquote_to_bytes(value.replace("+", " "))
        lines = message.count(b"\n") + 1
        if not message:
            ok, reason = False, "本文がありません"
        elif len(message) > message_count:
            ok, reason = False, "本文が長すぎます"
        elif lines > 2 * line_number:
            ok, reason = False, "改行が多すぎます"
        else:
            ok, reason = True, "書きこみました"
        with open(log_path, "a", encoding="utf-8") as log:
            text = message.decode("cp932", "replace")
            log.write(json.dumps({"ok": ok, "reason": reason, "bytes": len(message),
                                  "lines": lines, "message": text}, ensure_ascii=False) + "\n")
        self.send(200 if ok else 403, page(reason), "text/html; charset=Shift_JIS")


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
with open(port_file + ".tmp", "w") as f:
    f.write(str(server.server_address[1]))
os.replace(port_file + ".tmp", port_file)
server.serve_forever()

#!/usr/bin/env python3
"""A web proxy on 127.0.0.1 for end-to-end tests: the browser views of the
program are pointed at it, so no page or picture is ever fetched from outside.
Every plain request is answered with one local picture; tunnels (https) are
refused. Each request line is written to the log, so tests can see what the
program asked for.

Usage: localproxy.py PICTURE LOG PORT_FILE
The port it listens on is written to PORT_FILE once it is ready.
"""
import http.server
import sys

picture_path, log_path, port_file = sys.argv[1:4]
with open(picture_path, "rb") as f:
    picture = f.read()


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def record(self):
        with open(log_path, "a", encoding="utf-8") as log:
            log.write(f"{self.command} {self.path}\n")

    def do_GET(self):
        self.record()
        self.send_response(200)
        self.send_header("Content-Type", "image/jpeg")
        self.send_header("Content-Length", str(len(picture)))
        self.end_headers()
        self.wfile.write(picture)

    def do_CONNECT(self):
        self.record()
        self.send_response(403)
        self.send_header("Content-Length", "0")
        self.end_headers()


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
with open(port_file, "w", encoding="ascii") as f:
    f.write(str(server.server_address[1]))
server.serve_forever()

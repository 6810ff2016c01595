#pragma once

// Rules of the link and image dialog ("リンクする"): what it pre-fills from the
// selection or the clipboard, the tag it builds, the address it cuts from a
// browser's reply, and its two list files of titles and addresses, kept in step
// line by line.

#include <QString>
#include <QStringList>

namespace kirel::link {

inline const QString kCaption = QStringLiteral("リンクする");

// In the program folder: line n of the title list names line n of the address list.
inline const QString kAddressListFile = QStringLiteral("user/url.txt");
inline const QString kTitleListFile = QStringLiteral("user/url-t.txt");

inline const QString kAdded = QStringLiteral("アイテムリストに追加しました。");
inline const QString kAddIncomplete = QStringLiteral(
    "アドレス選択とアドレスのどちらかに入力されてない項目があります。\r\n"
    "入力を確認後、再度選択してください。");
inline const QString kDeleteQuestion =
    QStringLiteral("選択されたアドレスとそのタイトルを削除します。\r\nよろしいですか？");
inline const QString kOkIncomplete =
    QStringLiteral("アドレスまたはコメントのどちらかに入力漏れがあります。");
// The tag of an empty address and comment: OK does nothing for it.
inline const QString kEmptyLink = QStringLiteral("<A href=\"\"></A>");

// An image address holds ".jpg", ".gif", ".bmp" or ".png" (lower case) at its
// second character or later.
bool isImageAddress(const QString& address);

enum class Align { None, Left, Right };

// The address as it goes into a tag: '"', '<' and '>' are written %22, %3C and
// %3E, so that a copied address cannot end the attribute and add its own (a
// browser reads them as the same address). The comment goes in unchanged: it
// may hold HTML on purpose.
QString tagAddress(const QString& address);

QString linkTag(const QString& address, const QString& comment, bool newWindow);
QString imageTag(const QString& address, const QString& comment, Align align);

// What the dialog's boxes and buttons hold when the tag is made again.
struct TagChoice {
    QString address;
    QString comment;
    bool newWindow = false;  // "新たにブラウザを開く"
    bool image = false;      // "画像を挿入する" ticked
    Align align = Align::None;
};

struct TagResult {
    QString tag;
    bool imageAddress = false;  // the preview shows the address
    bool imageEnabled = false;  // state of "画像を挿入する"
};

// The image tag when the address is an image address and the image box is
// ticked, else the link tag. The image box can be used for an image address
// unless the link is to open a new window.
TagResult generateTag(const TagChoice& choice);

// What the dialog shows when it opens, and which box gets the focus.
struct Prefill {
    enum class Focus { Address, Comment };
    QString address;
    QString comment;
    Focus focus = Focus::Address;
    bool newWindow = false;  // an existing link that opens a new window
};

// selection: the text selected in the edit pane; clipboardText: the clipboard's
// text. An existing link (starting "<a href" or "<A href") is taken apart (one
// whose address ends in `" target="_blank`, as a link made to open a new window
// is written, gives the address without it and newWindow); a
// selection holding "http", "ftp", "file" or "www" is the address ("http://" put
// before one starting with "www"); other selected text is the comment, with
// "http" in the address box. Without a selection an address on the clipboard
// is taken. copiedAddress, when not empty, is the address whose copy opened the
// dialog: it goes into the address box whatever the selection gave.
Prefill prefill(const QString& selection, const QString& clipboardText,
                const QString& copiedAddress = QString());

// An address or title for the single-line boxes: the first line, as every
// one-line field keeps it, so that the list files stay in step line by line.
QString oneLine(const QString& text);

// The address in a browser's reply `"address","title"`: the characters from
// the second up to two places before the first comma. A reply without a comma
// gives an empty address.
QString addressFromReply(const QString& reply);

// The two lists, titles and addresses, position by position.
struct Lists {
    QStringList titles;
    QStringList addresses;
};

// Reads both files of the program folder appDir, after finishing a save of the
// pair that was interrupted; a missing file is created empty. A file that cannot
// be created or read is reported with its error text, and both lists stay empty
// (and neither file is written until the dialog reads both again). Files of
// different lengths are reported once and paired up to the shorter list.
Lists loadLists(const QString& appDir);
QString unevenListsMessage(qsizetype titles, qsizetype addresses);

// "追加": appends the title and the address and writes both files as one change,
// then confirms. Refused with a warning when either is empty, or when either file
// could not be read. Returns whether the entry was added (the lists keep it even
// when writing failed).
bool addEntry(Lists& lists, const QString& title, const QString& address, const QString& appDir);

// "削除": asks, then removes the entry at titleIndex from the titles and the one
// at addressIndex from the addresses (an index outside its list removes
// nothing) and writes both files as one change. Refused, before asking, when
// either file could not be read. Returns whether the answer was Yes.
bool deleteEntry(Lists& lists, int titleIndex, int addressIndex, const QString& appDir);

}  // namespace kirel::link

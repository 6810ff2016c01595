#pragma once

// The preview page: a small HTML page that shows the post inside a cell drawn
// with the current board's colours, written to "0.htm" in the program folder.
//
// The page carries no HTML, HEAD or character-set declaration: it begins with the
// body tag and is written in Shift-JIS. Its markup is kept exactly as the boards'
// users have always seen it, including the frame attribute that sits inside the
// quotes of the attribute before it.

#include <QString>

#include "preview/boards.h"

namespace kirel::preview {

inline const QString kPageFileName = QStringLiteral("0.htm");
// The copy of the page handed to the desktop's browser (see browserPageBytes).
inline const QString kBrowserPageFileName = QStringLiteral("0-browser.htm");

// A colour that does not begin with "#" gets one put in front; an empty colour
// becomes "#" alone, which means no colour.
QString normalizeColor(const QString& color);
// The four colours normalised; the picture path is left as it is.
PageSettings normalized(PageSettings settings);

// How a colour that means "no colour" is recognised: "#" alone after
// normalisation, or the empty text of the preferences dialog's fields.
enum class NoColor { HashAlone, Empty };

// Empty when the frame colour means no colour, else ` bgcolor="` + the colour
// without a closing quote: the text that follows it in the page supplies one.
QString frameAttribute(const QString& frameColor, NoColor noColor = NoColor::HashAlone);

// The page text.
QString assemblePage(const PageSettings& settings, const QString& body,
                     NoColor noColor = NoColor::HashAlone);

// The post as the page shows it: every line break becomes "<BR>". Nothing else
// changes: tags written by the user stay live, "<", ">" and "&" are not escaped.
QString previewBodyFrom(const QString& paneText);

// The page as written to the file: Shift-JIS bytes.
QByteArray pageBytes(const QString& page);

// The page for the desktop's browser: the same bytes with a declaration of
// Shift-JIS in front. A browser left to guess reads a post of half-width kana
// as another encoding; "0.htm" itself keeps the page byte for byte.
QByteArray browserPageBytes(const QString& page);

// Writes the page, replacing the file. A failure is shown as a plain message and
// reported by the result; the caller still shows the file.
bool writePage(const QString& path, const QString& page);

// The preview from the current-board keys of the settings file: reads them,
// normalises the colours, builds the page around body and writes it to
// appDir + "0.htm". Returns the path of the page; written, when given, receives
// the bytes written (empty when the file could not be written).
QString generatePreview(const QString& appDir, const QString& body, QByteArray* written = nullptr);

// Whether a page may draw anything from outside itself (a picture, a background,
// a style sheet, a frame, an embedded object): loaded again, the same bytes may
// then show differently. Errs towards yes: it looks for the attribute and tag
// names anywhere in the bytes, text included.
bool pageNamesOtherFiles(const QByteArray& bytes);

// The same, for the desktop's browser: writes "0.htm" and beside it the copy that
// declares its character set, and returns the copy's path ("0.htm"'s when the
// page could not be written).
QString generateBrowserPreview(const QString& appDir, const QString& body);

}  // namespace kirel::preview

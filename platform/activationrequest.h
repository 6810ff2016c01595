#pragma once

// What a second start of the editor says to the running one over the
// single-instance socket: one line, "activate", followed by the activation token
// the launcher gave the second start (XDG_ACTIVATION_TOKEN on Wayland) when it
// has one. On Wayland only a window that presents such a token may take the
// focus, so the running editor needs it to come to the front.

#include <QByteArray>
#include <QString>
#include <optional>

namespace kirel {

// The longest request line taken from the socket; a peer that sends more
// without ending its line is not a second start of the editor.
inline constexpr qsizetype kMaxActivationRequest = 1024;

// The request line, '\n' included. A token that could not be passed on as it
// is (see activationToken) is left out: the running editor then comes forward
// as well as the desktop lets it.
QByteArray activationRequest(const QString& token);

// The token of a request line (without its '\n'): empty for a request without
// one, or whose token is not printable ASCII without blanks or longer than 512
// characters; nothing when the line is not a request at all.
std::optional<QString> activationToken(const QByteArray& line);

}  // namespace kirel

#pragma once

#include <QString>
#include <string>

namespace temura {

// The core's texts are UTF-8.
inline QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// Qt breaks lines at LF; the core's texts use CR LF, as the clock always did.
inline QString qtLines(const std::string& s) {
    QString t = qs(s);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

}  // namespace temura

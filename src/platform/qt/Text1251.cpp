#include "platform/qt/Text1251.h"

#include <QFile>

#include "common/Cp1251.h"

namespace pm::gui {

QString FromCp1251(std::string_view text1251) { return QString::fromStdString(cp1251::ToUtf8(text1251)); }

std::string ToCp1251(const QString& text) { return cp1251::FromUtf8(text.toStdString()); }

QString FromFileName(const std::string& name) { return QFile::decodeName(QByteArray::fromStdString(name)); }

std::string ToFileName(const QString& name) { return QFile::encodeName(name).toStdString(); }

QString StripMnemonic(const QString& caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

}  // namespace pm::gui

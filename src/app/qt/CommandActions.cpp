#include "app/qt/CommandActions.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include "platform/qt/Text1251.h"

namespace pm::gui {
namespace {

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// A toolbar picture made of a short glyph, drawn to fit 16 by 16 pixels.
QIcon GlyphIcon(const QString& glyph) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    QFont font("DejaVu Sans");
    font.setBold(glyph.size() <= 2);
    int size = 13;
    do {
        font.setPixelSize(size);
    } while (QFontMetrics(font).horizontalAdvance(glyph) > 16 && --size > 6);
    p.setFont(font);
    p.setPen(QColor(30, 60, 120));
    p.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

QIcon StandardIcon(const QString& name) {
    static const std::pair<const char*, QStyle::StandardPixmap> kIcons[] = {
        {"open", QStyle::SP_DialogOpenButton}, {"read", QStyle::SP_FileDialogContentsView},
        {"save", QStyle::SP_DialogSaveButton}, {"reload", QStyle::SP_BrowserReload},
        {"back", QStyle::SP_ArrowBack},        {"forward", QStyle::SP_ArrowForward}};
    for (const auto& [key, pixmap] : kIcons)
        if (name == key) return QApplication::style()->standardIcon(pixmap);
    return {};
}

QIcon Picture(std::string_view picture) {
    const QString p = Text(picture);
    if (p.isEmpty()) return {};
    return p.startsWith("std:") ? StandardIcon(p.mid(4)) : GlyphIcon(p);
}

}  // namespace

CommandActions::CommandActions(QObject* owner) {
    for (const CommandRow& row : CommandTable()) {
        auto* a = new QAction(owner);
        a->setObjectName(Text(row.name));
        if (!row.shortcut.empty()) a->setShortcut(QKeySequence(Text(row.shortcut), QKeySequence::PortableText));
        a->setIcon(Picture(row.picture));
        a->setCheckable(row.flags & kCheckable);
        a->setEnabled(row.built);
        actions_.push_back(a);
    }
}

void CommandActions::ApplyCaptions(const InterfaceTexts& t) {
    for (const CommandRow& row : CommandTable()) {
        QAction* a = (*this)[row.id];
        const QString hint = row.hintKey.empty() ? QString() : FromCp1251(t.Hint(std::string(row.hintKey)));
        // A hint standing in for a menu caption has no mnemonic: its "&" is
        // a literal one ("Save & Read!").
        const QString menu =
            row.menuKey.empty() ? QString(hint).replace('&', "&&") : FromCp1251(t.Menu(std::string(row.menuKey)));
        a->setText(menu);
        // Hints are plain text; menu captions lose their mnemonic marks.
        const QString tip = hint.isEmpty() ? StripMnemonic(menu) : hint;
        a->setToolTip(tip);
        a->setStatusTip(hint);
        a->setIconText(QString(tip).replace('&', "&&"));
    }
}

void CommandActions::EnableFor(int mode, bool hasSource, bool hasResult) {
    for (const CommandRow& row : CommandTable())
        (*this)[row.id]->setEnabled(CommandEnabled(row, mode, hasSource, hasResult));
}

}  // namespace pm::gui

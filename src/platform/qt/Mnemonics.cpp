#include "platform/qt/Mnemonics.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>


namespace pm::gui {
namespace {

// The position of the marked letter in caption, or -1 ("&&" is a literal "&").
qsizetype MarkedLetter(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return i + 1;
        ++i;
    }
    return -1;
}

// The caption without its mark; a literal "&&" stays as it is.
QString Unmarked(const QString& caption) {
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] == '&') {
            out += "&&";
            ++i;
        } else if (caption[i] != '&') {
            out += caption[i];
        }
    }
    return out;
}

// The unmarked caption with its first free letter or digit marked.
QString Marked(const QString& plain, QSet<QChar>& used) {
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const QChar c = plain[i];
        if (c == '&') {
            ++i;  // a literal "&&"
            continue;
        }
        if (!c.isLetterOrNumber() || used.contains(c.toLower())) continue;
        used.insert(c.toLower());
        return QString(plain).insert(i, '&');
    }
    return plain;
}

void Assign(const QList<QAction*>& actions) {
    QStringList captions;
    QList<QAction*> named;
    for (QAction* a : actions) {
        if (a->isSeparator() || a->text().isEmpty()) continue;
        named << a;
        captions << a->text();
    }
    const QStringList marked = UniqueMnemonics(captions);
    for (qsizetype i = 0; i < named.size(); ++i) named[i]->setText(marked[i]);
}

}  // namespace

QStringList UniqueMnemonics(const QStringList& captions) {
    QSet<QChar> used;
    QStringList out;
    // Captions that bring their own free letter keep it, whatever their place.
    for (const QString& c : captions) {
        const qsizetype own = MarkedLetter(c);
        if (own >= 0) used.insert(c[own].toLower());
    }
    QSet<QChar> kept;
    for (const QString& c : captions) {
        const qsizetype own = MarkedLetter(c);
        if (own >= 0 && !kept.contains(c[own].toLower())) {
            kept.insert(c[own].toLower());
            out << c;
            continue;
        }
        out << Marked(Unmarked(c), used);
    }
    return out;
}

void AssignMnemonics(QMenuBar* bar) { Assign(bar->actions()); }

void AssignMnemonics(QMenu* menu) {
    Assign(menu->actions());
    for (QAction* a : menu->actions())
        if (a->menu()) AssignMnemonics(a->menu());
}

}  // namespace pm::gui

// Keyboard mnemonics of menus: within one menu (or the menu bar) every
// entry gets its own letter, so Alt and a letter always reach one entry.
#pragma once

#include <QString>
#include <QStringList>

class QMenuBar;
class QMenu;

namespace pm::gui {

// The captions with unique mnemonics: a caption keeps its own "&" letter
// when no entry before it took that letter; otherwise, and when it has
// none, the first letter or digit of the caption not yet taken is marked.
// A caption with no free letter is left without a mnemonic.
QStringList UniqueMnemonics(const QStringList& captions);

// The same over the titles of a menu bar's menus and over the entries of
// a menu (sub-menus included, each on its own).
void AssignMnemonics(QMenuBar* bar);
void AssignMnemonics(QMenu* menu);

}  // namespace pm::gui

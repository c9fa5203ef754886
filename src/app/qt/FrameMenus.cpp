// The menu bar and the toolbars of the main window, laid out from the
// command table.
#include <QMenuBar>
#include <QToolBar>

#include "app/qt/MainWnd.h"

namespace pm::gui {
namespace {
struct MenuLayout {
    const char* key;     // caption key under interface\menu
    const char* parent;  // the menu it opens from, "" for the menu bar
    std::initializer_list<Cmd> commands;
};

// Menus in the order they appear; a sub-menu follows the item before which
// it is placed in its parent.
const MenuLayout kMenus[] = {
    {"file", "", {Cmd::LoadSrc, Cmd::OpenReader}},
    {"recent files", "file", {}},
    {"", "file", {Cmd::SaveResult, Cmd::SaveAndRead, Cmd::SaveEpub, Cmd::SendToRocket, kSeparator, Cmd::Exit}},
    {"view", "", {Cmd::SimpleMode, Cmd::AdvancedMode, Cmd::ReaderMode, kSeparator}},
    {"viewer font size",
     "view",
     {Cmd::IncreaseSize, Cmd::DecreaseSize, kSeparator, Cmd::Smallest, Cmd::Small, Cmd::NormalSize, Cmd::Large,
      Cmd::Largest}},
    {"reader", "", {Cmd::SaveReader}},
    {"bookmarks", "reader", {Cmd::AddBookmark, Cmd::ManageBookmarks, kSeparator}},
    {"", "reader", {Cmd::AddNote, kSeparator, Cmd::AutoscrollOn, Cmd::TurboScroll}},
    {"speed", "reader", {Cmd::IncreaseScroll, Cmd::DecreaseScroll}},
    {"stylise", "reader", {Cmd::BlackYellow, Cmd::NavvyGreen, Cmd::CustomStyle, kSeparator, Cmd::ApplyLast, Cmd::NoStyle}},
    {"", "reader", {kSeparator, Cmd::FullScreen, kSeparator, Cmd::Autosave}},
    {"parsing",
     "",
     {Cmd::Refresh, kSeparator, Cmd::AutodetectFormat, kSeparator, Cmd::FixedWidth, Cmd::LineToParagraph,
      Cmd::HtmlFormat, kSeparator, Cmd::RegExprWindow}},
    {"help", "", {Cmd::Help, Cmd::About}},
};
}  // namespace

void TMainWnd::BuildMenus() {
    for (const MenuLayout& layout : kMenus) {
        QMenu* parent = *layout.parent ? menus_.value(layout.parent) : nullptr;
        QMenu* m = parent;
        if (*layout.key) {
            m = parent ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
            m->setObjectName(layout.key);
            menus_.insert(layout.key, m);
        }
        for (Cmd id : layout.commands) {
            if (id == kSeparator) m->addSeparator();
            else m->addAction(actions_[id]);
        }
    }
    menus_["recent files"]->setEnabled(false);
}

QToolBar* TMainWnd::BuildToolBar(const QString& name, std::initializer_list<Cmd> commands) {
    auto* bar = new QToolBar(this);
    bar->setObjectName(name);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (Cmd id : commands) {
        if (id == kSeparator) bar->addSeparator();
        else bar->addAction(actions_[id]);
    }
    return bar;
}

}  // namespace pm::gui

// The commands of the main window: one action per command, shared by the
// menu and every toolbar copy of its button, with the caption and hint
// taken from the interface texts.
#include <QActionGroup>
#include <QApplication>
#include <QMenuBar>
#include <QPainter>
#include <QStyle>
#include <QToolBar>

#include "app/qt/MainWnd.h"
#include "platform/qt/Text1251.h"
#include "platform/qt/TextEditor.h"

namespace pm::gui {

namespace {
// Commands whose windows and logic this program does not have yet: they
// keep their places in the menus and toolbars, disabled.
const QStringList kNotYetAvailable = {
    "RecentFiles", "SendToRocket", "FullScreen", "SaveReader", "AddBookmark", "ManageBookmarks", "AddNote",
    "AutoscrollOn", "TurboScroll", "IncreaseScroll", "DecreaseScroll", "BlackYellow", "NavvyGreen", "CustomStyle",
    "ApplyLast", "NoStyle", "About", "Find", "Replace", "UpperIndex", "LowerIndex", "Bold", "Italic", "LowerCase",
    "UpperCase", "MakeParagraph", "AlignLeft", "AlignCenter", "AlignRight", "AlignJustify", "Blockquote", "List",
    "Epigraph", "H1", "H2", "H3", "H4", "H5", "InsertComment", "InsertBr", "Bookshelf", "XMLHead", "RegExpr",
    "EnableAutoscroll", "Zoom"};
}  // namespace

namespace {
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
}  // namespace

QAction* TMainWnd::MakeAction(const QString& name, const QString& menuKey, const QString& hintKey,
                              const QString& shortText, const QKeySequence& shortcut) {
    auto* a = new QAction(this);
    a->setObjectName(name);
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    actions_.insert(name, a);
    captions_.insert(a, {menuKey, hintKey, shortText});
    if (!shortText.isEmpty()) a->setIcon(GlyphIcon(shortText));
    if (kNotYetAvailable.contains(name)) a->setEnabled(false);
    return a;
}

void TMainWnd::ApplyCaptions() {
    const InterfaceTexts& t = main_->uiTexts;
    for (auto it = captions_.begin(); it != captions_.end(); ++it) {
        QAction* a = it.key();
        const Caption& c = it.value();
        const QString hint = c.hintKey.isEmpty() ? QString() : FromCp1251(t.Hint(c.hintKey.toStdString()));
        const QString menu = c.menuKey.isEmpty() ? hint : FromCp1251(t.Menu(c.menuKey.toStdString()));
        a->setText(menu);
        a->setToolTip(hint.isEmpty() ? menu : hint);
        a->setStatusTip(hint);
        a->setIconText(hint.isEmpty() ? menu : hint);
    }
    for (auto it = menus_.begin(); it != menus_.end(); ++it)
        it.value()->setTitle(FromCp1251(t.Menu(it.key().toStdString())));
}

void TMainWnd::BuildActions() {
    QStyle* st = style();
    auto icon = [&](QAction* a, QStyle::StandardPixmap p) { a->setIcon(st->standardIcon(p)); };
    // File
    icon(MakeAction("LoadSrc", "open file", "load src", ""), QStyle::SP_DialogOpenButton);
    icon(MakeAction("OpenReader", "open reader", "Open for reading", "", QKeySequence(Qt::CTRL | Qt::Key_R)),
         QStyle::SP_FileDialogContentsView);
    MakeAction("RecentFiles", "recent files", "", "");
    icon(MakeAction("SaveResult", "save result", "save result", "", QKeySequence(Qt::CTRL | Qt::Key_S)),
         QStyle::SP_DialogSaveButton);
    MakeAction("SaveAndRead", "", "save and read", "\u25b6");
    MakeAction("SendToRocket", "send to rocket", "send to rocket", "\u21ea", QKeySequence(Qt::Key_F9));
    MakeAction("Exit", "exit", "", "");
    // View
    for (auto [name, key, tag] : {std::tuple{"SimpleMode", "simple interface", 0},
                                  std::tuple{"AdvancedMode", "advanced interface", 1},
                                  std::tuple{"ReaderMode", "reader interface", 2}}) {
        QAction* a = MakeAction(name, key, "", "");
        a->setCheckable(true);
        a->setData(tag);
    }
    MakeAction("IncreaseSize", "increase", "", "", QKeySequence(Qt::CTRL | Qt::Key_Period));
    MakeAction("DecreaseSize", "decrease", "", "", QKeySequence(Qt::CTRL | Qt::Key_Comma));
    auto* sizes = new QActionGroup(this);
    int level = 0;
    for (auto [name, key] : {std::pair{"Smallest", "smallest"}, std::pair{"Small", "small"},
                             std::pair{"NormalSize", "Normal"}, std::pair{"Large", "Large"},
                             std::pair{"Largest", "Largest"}}) {
        QAction* a = MakeAction(name, key, "", "");
        a->setCheckable(true);
        a->setData(level++);
        sizes->addAction(a);
    }
    MakeAction("FullScreen", "FullScreen", "zoom", "", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    // Reader
    MakeAction("SaveReader", "save reader", "", "", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    MakeAction("AddBookmark", "add bookmark", "add bookmark", "\u2691", QKeySequence(Qt::CTRL | Qt::Key_B));
    MakeAction("ManageBookmarks", "manage bookmarks", "", "");
    MakeAction("AddNote", "add note", "add note", "\u270e", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    MakeAction("AutoscrollOn", "autoscroll on", "", "", QKeySequence(Qt::CTRL | Qt::Key_K))->setCheckable(true);
    MakeAction("TurboScroll", "turbo scroll", "", "", QKeySequence(Qt::CTRL | Qt::Key_T))->setCheckable(true);
    MakeAction("IncreaseScroll", "increase scroll", "increase scroll", "+");
    MakeAction("DecreaseScroll", "decrease scroll", "decrease scroll", "\u2212");
    for (auto [name, key] : {std::pair{"BlackYellow", "Black Yellow"}, std::pair{"NavvyGreen", "Navvy Green"},
                             std::pair{"CustomStyle", "custom style"}, std::pair{"ApplyLast", "Apply last"},
                             std::pair{"NoStyle", "nostyle"}})
        MakeAction(name, key, "", "");
    MakeAction("Autosave", "autosave", "", "")->setCheckable(true);
    // Parsing
    MakeAction("AutodetectFormat", "autodetect format", "autodetect format", "A", QKeySequence(Qt::Key_F5))
        ->setCheckable(true);
    int preset = 0;
    for (auto [name, menu, hint, label, key] :
         {std::tuple{"FixedWidth", "fixed width", "fixed width", "\u25a4", Qt::Key_F2},
          std::tuple{"LineToParagraph", "line to paragr", "line to paragraph", "\u2261", Qt::Key_F3},
          std::tuple{"HtmlFormat", "html", "html", "<>", Qt::Key_F4}}) {
        QAction* a = MakeAction(name, menu, hint, label, QKeySequence(key));
        a->setCheckable(true);
        a->setData(preset++);
    }
    // Help
    MakeAction("Help", "help", "", "", QKeySequence(Qt::Key_F1));
    MakeAction("About", "about", "", "");
    // Browser and editors
    icon(MakeAction("GoBack", "", "go back", ""), QStyle::SP_ArrowBack);
    icon(MakeAction("GoForward", "", "go forward", ""), QStyle::SP_ArrowForward);
    icon(MakeAction("Refresh", "", "refresh", ""), QStyle::SP_BrowserReload);
    MakeAction("EnableAutoscroll", "", "enable autoscroll", "\u21e3");
    MakeAction("Zoom", "", "zoom", "\u2922");
    MakeAction("Bookshelf", "", "Bookshelf", "\u25a6");
    MakeAction("RegExpr", "", "RegExpr", ".*");
    MakeAction("XMLHead", "", "XMLHead", "</>");
    MakeAction("Find", "", "Find", "?");
    MakeAction("Replace", "", "Replace", "\u21c4");
    icon(MakeAction("SaveSrc", "", "save src", ""), QStyle::SP_DialogSaveButton);
    MakeAction("Cut", "", "cut", "\u2702");
    MakeAction("Copy", "", "copy", "\u2750");
    MakeAction("Paste", "", "paste", "\u25a3");
    MakeAction("Undo", "", "undo", "\u21b6");
    MakeAction("Redo", "", "redo", "\u21b7");
    for (auto [name, hint, label] :
         {std::tuple{"UpperIndex", "upper index", "x\u00b2"}, std::tuple{"LowerIndex", "lover index", "x\u2082"},
          std::tuple{"Bold", "bold", "B"}, std::tuple{"Italic", "italic", "I"},
          std::tuple{"LowerCase", "all lover case", "abc"}, std::tuple{"UpperCase", "upper case", "ABC"},
          std::tuple{"MakeParagraph", "make paragraph", "\u00b6"}, std::tuple{"AlignLeft", "align left", "\u21e4"},
          std::tuple{"AlignCenter", "align center", "\u2194"}, std::tuple{"AlignRight", "align right", "\u21e5"},
          std::tuple{"AlignJustify", "align justify", "\u2630"}, std::tuple{"Blockquote", "blockquote", "\u275d"},
          std::tuple{"List", "list", "\u2022"}, std::tuple{"Epigraph", "epigraph", "\u275e"},
          std::tuple{"H1", "H1", "H1"}, std::tuple{"H2", "H2", "H2"}, std::tuple{"H3", "H3", "H3"},
          std::tuple{"H4", "H4", "H4"}, std::tuple{"H5", "H5", "H5"},
          std::tuple{"InsertComment", "insert comment", "#"}, std::tuple{"InsertBr", "Insert br", "\u21b5"}})
        MakeAction(name, "", hint, QString::fromUtf8(label));
    for (const char* name : {"Undo", "Redo", "Cut", "Copy", "Paste"}) actions_[name]->setEnabled(false);
}

void TMainWnd::BuildMenus() {
    auto menu = [&](QMenu* parent, const QString& key) {
        QMenu* m = parent ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
        m->setObjectName(key);
        menus_.insert(key, m);
        return m;
    };
    auto add = [&](QMenu* m, std::initializer_list<const char*> names) {
        for (const char* n : names) {
            if (*n) m->addAction(actions_[n]);
            else m->addSeparator();
        }
    };
    QMenu* file = menu(nullptr, "file");
    add(file, {"LoadSrc", "OpenReader"});
    QMenu* recent = menu(file, "recent files");
    recent->setEnabled(false);
    add(file, {"SaveResult", "SendToRocket", "", "Exit"});
    QMenu* view = menu(nullptr, "view");
    add(view, {"SimpleMode", "AdvancedMode", "ReaderMode", ""});
    QMenu* size = menu(view, "viewer font size");
    add(size, {"IncreaseSize", "DecreaseSize", "", "Smallest", "Small", "NormalSize", "Large", "Largest"});
    QMenu* reader = menu(nullptr, "reader");
    add(reader, {"SaveReader"});
    QMenu* bookmarks = menu(reader, "bookmarks");
    add(bookmarks, {"AddBookmark", "ManageBookmarks", ""});
    add(reader, {"AddNote", "", "AutoscrollOn", "TurboScroll"});
    QMenu* speed = menu(reader, "speed");
    add(speed, {"IncreaseScroll", "DecreaseScroll"});
    QMenu* style = menu(reader, "stylise");
    add(style, {"BlackYellow", "NavvyGreen", "CustomStyle", "", "ApplyLast", "NoStyle"});
    add(reader, {"", "FullScreen", "", "Autosave"});
    QMenu* parsing = menu(nullptr, "parsing");
    add(parsing, {"AutodetectFormat", "", "FixedWidth", "LineToParagraph", "HtmlFormat"});
    QMenu* help = menu(nullptr, "help");
    add(help, {"Help", "About"});
}

namespace {
QToolBar* NewToolBar(QWidget* parent, const QString& name) {
    auto* bar = new QToolBar(parent);
    bar->setObjectName(name);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return bar;
}
}  // namespace

// The toolbar of the full-size panel (simple and reader modes).
QToolBar* TMainWnd::BuildPanelToolBar() {
    QToolBar* bar = NewToolBar(this, "PanelToolBar");
    for (const char* n : {"LoadSrc", "OpenReader", "SaveResult", "SaveAndRead", "", "GoBack", "GoForward", "Refresh",
                          "", "AutodetectFormat", "FixedWidth", "LineToParagraph", "HtmlFormat", "", "SendToRocket",
                          "", "AddNote", "AddBookmark", "EnableAutoscroll", "IncreaseScroll", "DecreaseScroll",
                          "Zoom", "", "Bookshelf", "RegExpr"}) {
        if (*n) bar->addAction(actions_[n]);
        else bar->addSeparator();
    }
    return bar;
}

// The toolbar of the "Preview" page (advanced mode).
QToolBar* TMainWnd::BuildPreviewToolBar() {
    QToolBar* bar = NewToolBar(this, "PreviewToolBar");
    for (const char* n : {"LoadSrc", "OpenReader", "SaveResult", "SaveAndRead", "", "GoBack", "GoForward", "Refresh",
                          "", "AutodetectFormat", "FixedWidth", "LineToParagraph", "HtmlFormat", "", "SendToRocket",
                          "XMLHead", "RegExpr", "Find", "", "Bookshelf"}) {
        if (*n) bar->addAction(actions_[n]);
        else bar->addSeparator();
    }
    return bar;
}

// The toolbar of the source editor.
QToolBar* TMainWnd::BuildEditorToolBar() {
    QToolBar* bar = NewToolBar(this, "EditorToolBar");
    for (const char* n : {"SaveSrc", "", "Cut", "Copy", "Paste", "Undo", "Redo", "", "Find", "Replace", "", "H1",
                          "H2", "H3", "H4", "H5", "MakeParagraph", "AlignLeft", "AlignCenter", "AlignRight",
                          "AlignJustify", "Blockquote", "List", "Epigraph", "", "Bold", "Italic", "UpperIndex",
                          "LowerIndex", "LowerCase", "UpperCase", "", "InsertComment", "InsertBr"}) {
        if (*n) bar->addAction(actions_[n]);
        else bar->addSeparator();
    }
    return bar;
}

}  // namespace pm::gui

// The reader's windows: the bookmark name window (TBookmName), the bookmark
// editor (TBookManage) and the note window (TCommentWnd). Each is created
// once and reused; captions come from its localization key.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "config/Localization.h"
#include "reader/BookMarkers.h"

namespace pm::gui {

// "Enter the name for bookmark": one line, typing limited to 40 characters
// (a longer suggestion is shown whole and may only shrink).
class TBookmName : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTypedLength = 40;

    explicit TBookmName(const WindowTexts& texts, QWidget* parent = nullptr);
    // Shows the window with the text preset; the text when "&Ok" closed it.
    std::optional<QString> Ask(const QString& preset);

    QLineEdit* Edit1;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
};

// "Bookmark editor": rename and remove bookmarks; "&Ok" gives the list back.
class TBookManage : public QDialog {
    Q_OBJECT
public:
    TBookManage(const WindowTexts& texts, TBookmName& nameWindow, QWidget* parent = nullptr);
    void Fill(const std::vector<reader::Bookmark>& bookmarks);
    std::vector<reader::Bookmark> Entries() const;

    QListWidget* ListBox1;
    QPushButton* EditBtn;
    QPushButton* RemoveBtn;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

public slots:
    void EditNameClick();
    void RemoveClick();

private:
    TBookmName& nameWindow_;
};

// "Enter the comment": the note's lines; "Done" only while there is text.
class TCommentWnd : public QDialog {
    Q_OBJECT
public:
    explicit TCommentWnd(const WindowTexts& texts, QWidget* parent = nullptr);
    // Clears the memo and shows the window; the lines when "Done" closed it.
    std::optional<std::vector<QString>> Ask();

    QPlainTextEdit* Memo1;
    QPushButton* Button1;
    QPushButton* Button2;
};

}  // namespace pm::gui

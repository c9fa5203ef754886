#include "shell/qt/ShellPart.h"

#include <fcntl.h>
#include <unistd.h>

#include <QAction>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QSocketNotifier>
#include <QStyle>
#include <QToolBar>
#include <QWidget>

#include "common/Cp1251.h"
#include "common/Format.h"
#include "config/Localization.h"
#include "platform/qt/Text1251.h"
#include "shell/DesktopEntries.h"
#include "shell/Launch.h"

namespace pm::gui {

namespace {

// The tool buttons stand apart from each toolbar's own buttons by this gap.
constexpr int kToolGapWidth = 8;
constexpr const char* kToolBars[] = {"PanelToolBar", "PreviewToolBar"};

// The tool's picture: an image in a file (the one numbered IconNumber in a
// file of several), or an icon of the desktop's theme by name; a standard
// picture when neither loads.
QIcon ToolIcon(const shell::ToolButton& tool, const QStyle* style) {
    if (!tool.iconFile.empty()) {
        const QString name = FromFileName(tool.iconFile);
        if (QFileInfo(name).isFile()) {
            QImageReader reader(name);
            if (tool.iconNumber == 0 || reader.jumpToImage(tool.iconNumber)) {
                const QImage image = reader.read();
                if (!image.isNull()) return QIcon(QPixmap::fromImage(image));
            }
        } else if (!name.contains('/')) {
            const QIcon themed = QIcon::fromTheme(name);
            if (!themed.isNull()) return themed;
        }
    }
    return style->standardIcon(QStyle::SP_FileIcon);
}

std::string Lines(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) {
        out += '\n';
        out += cp1251::FromUtf8(n);
    }
    return out;
}

}  // namespace

ShellPart::ShellPart(Frame& frame, ShellContext context, QObject* parent)
    : QObject(parent),
      frame_(frame),
      ctx_(std::move(context)),
      mountRoots_(shell::RemovableMountRoots()),
      mountList_(shell::ReadMountList) {
    setObjectName("ShellPart");
}

ShellPart::~ShellPart() {
    delete mountWatch_;  // stops watching before the file goes
    if (mountsFd_ >= 0) ::close(mountsFd_);
}

void ShellPart::BindCommands() {
    QAction* send = frame_.Action(Cmd::SendToRocket);
    connect(send, &QAction::triggered, this, &ShellPart::RocketBtnClick);
    connect(send, &QAction::enabledChanged, this, &ShellPart::KeepSendAllowed);
    KeepSendAllowed(send->isEnabled());
    CreateToolButtons();
    FollowMounts();
}

void ShellPart::TextsApplied(const InterfaceTexts& texts) {
    if (entriesRefreshed_) return;
    entriesRefreshed_ = true;
    if (!shell::ShellIntegrated()) return;
    std::string error;
    if (!shell::SetShellIntegration(true, ctx_.programPath, shell::CaptionsOf(texts), &error))
        ctx_.questions.ShowMessage(ctx_.texts.Msg("Error"), cp1251::FromUtf8(error), MessageIcon::Error);
}

void ShellPart::CreateToolButtons() {
    tools_ = shell::LoadToolButtons(ctx_.tree);
    if (tools_.empty()) return;
    std::vector<QToolBar*> bars;
    for (const char* name : kToolBars)
        if (auto* bar = frame_.Window()->findChild<QToolBar*>(name)) bars.push_back(bar);
    for (QToolBar* bar : bars) {
        auto* gap = new QWidget(bar);
        gap->setObjectName("ToolButtonGap");
        gap->setFixedWidth(kToolGapWidth);
        bar->addWidget(gap);
    }
    const QStyle* style = frame_.Window()->style();
    for (const shell::ToolButton& tool : tools_) {
        auto* action = new QAction(ToolIcon(tool, style), FromCp1251(tool.hint), this);
        action->setObjectName(QString("ToolButton%1").arg(tool.number));
        action->setToolTip(FromCp1251(tool.hint));
        action->setData(tool.number);
        connect(action, &QAction::triggered, this, &ShellPart::ToolButtonClick);
        for (QToolBar* bar : bars) bar->addAction(action);
        toolActions_.push_back(action);
    }
}

void ShellPart::ToolButtonClick() {
    const auto* action = qobject_cast<QAction*>(sender());
    if (!action) return;
    const int number = action->data().toInt();
    for (const shell::ToolButton& tool : tools_) {
        if (tool.number != number) continue;
        const shell::ToolLaunch launch = shell::ToolCommand(tool, ctx_.doc, ctx_.files.previewFile);
        // Whatever the tool does, or fails to do, is its own affair.
        shell::StartDetached(launch.program, launch.args);
        return;
    }
}

shell::DeviceTarget ShellPart::Target() const {
    return shell::FindDeviceTarget(ctx_.tree, shell::ReaderFolders(shell::ParseMountList(mountList_()), mountRoots_));
}

void ShellPart::SetMountSource(std::vector<std::string> roots, std::function<std::string()> mountList) {
    mountRoots_ = std::move(roots);
    mountList_ = std::move(mountList);
    RefreshSendCommand();
}

void ShellPart::RefreshSendCommand() {
    QAction* send = frame_.Action(Cmd::SendToRocket);
    // Enabled: stays so only with a target. Disabled: the frame enables it
    // when the document allows, and the target is checked then.
    if (send->isEnabled()) KeepSendAllowed(true);
    else frame_.UpdateCommands();
}

// The kernel marks the mount list whenever something is mounted or
// unmounted: a reader plugged in turns the command on.
void ShellPart::FollowMounts() {
    mountsFd_ = ::open("/proc/self/mounts", O_RDONLY | O_CLOEXEC);
    if (mountsFd_ < 0) return;
    mountWatch_ = new QSocketNotifier(mountsFd_, QSocketNotifier::Exception, this);
    connect(mountWatch_, &QSocketNotifier::activated, this, &ShellPart::RefreshSendCommand);
}

// The frame enables the command by the document's state; it stays off
// while there is nowhere to send the book.
void ShellPart::KeepSendAllowed(bool enabled) {
    if (enabled && Target().kind == shell::DeviceTarget::Kind::None)
        frame_.Action(Cmd::SendToRocket)->setEnabled(false);
}

void ShellPart::RocketBtnClick() {
    const shell::DeviceTarget target = Target();
    if (target.kind == shell::DeviceTarget::Kind::None) {
        RefreshSendCommand();  // the reader went away
        return;
    }
    const std::string& errorCaption = ctx_.texts.Msg("Error");
    std::vector<shell::BookFile> book;
    std::string error;
    if (!ctx_.finishedBook(book, &error)) {
        ctx_.questions.ShowMessage(errorCaption, cp1251::FromUtf8(error), MessageIcon::Error);
        return;
    }
    if (target.kind == shell::DeviceTarget::Kind::Command) {
        const shell::ToolLaunch launch = shell::DeviceCommand(target.command, book, ctx_.doc, ctx_.files.previewFile);
        if (!shell::StartDetached(launch.program, launch.args, &error))
            ctx_.questions.ShowMessage(errorCaption, cp1251::FromUtf8(error), MessageIcon::Error);
        return;
    }
    const shell::SendReport report = shell::CopyBookToFolder(book, target.folder);
    const std::string folder = cp1251::FromUtf8(target.folder);
    const std::string copied =
        report.copied.empty() ? std::string()
                              : FormatTemplate(ctx_.texts.Msg("SentToDevice"), {folder}) + Lines(report.copied);
    if (report.Ok()) {
        ctx_.questions.ShowMessage(ctx_.texts.Msg("Info"), copied, MessageIcon::Information);
        return;
    }
    std::string text = FormatTemplate(ctx_.texts.Msg("NotSentToDevice"), {folder}) + "\n" + cp1251::FromUtf8(report.error);
    if (!copied.empty()) text += "\n\n" + copied;
    ctx_.questions.ShowMessage(errorCaption, text, MessageIcon::Error);
}

}  // namespace pm::gui

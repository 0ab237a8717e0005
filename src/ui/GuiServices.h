// The desktop's side of the core's user-interface hooks: Qt's event loop for
// letting queued messages through, the application's wait cursor, message
// boxes, the screen's resolution and the wait dialog's life.
#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "app/Services.h"

class QWidget;

namespace vx {

class TWaitDlg;

class WGuiServices : public UiServices {
  public:
    WGuiServices() = default;
    ~WGuiServices() override;
    WGuiServices(const WGuiServices&) = delete;
    WGuiServices& operator=(const WGuiServices&) = delete;

    void PumpMessages() override;
    void SetBusyCursor(bool busy) override;
    void ShowMessage(const std::string& text) override;

    void WaitCreate() override;
    void WaitSetCancelButton(bool withCancel, int height) override;
    // `owner` is a QWidget* passed as void* (cast to QWidget* first when the
    // widget's class has more than one base); its window is the one disabled.
    void WaitBegin(const std::string& message, bool atOnce, void* owner) override;
    void WaitDestroy() override;

    // Read from the primary screen on the first call, then kept.
    bool LargeFonts() const override;

    // The window that owns the wait dialogs created from now on.
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }
    // The current wait dialog, or null when none exists.
    TWaitDlg* WaitDialog() const;

    // Receives each message instead of a modal message box (tests, batch
    // runs); an empty function restores the message box.
    using MessageSink = std::function<void(const QString& text)>;
    void SetMessageSink(MessageSink sink) { messageSink_ = std::move(sink); }

  private:
    void ShowDelayedDialog();

    QPointer<QWidget> mainWindow_;
    QPointer<TWaitDlg> dialog_;
    // The window disabled while the dialog is up. Either one may be
    // destroyed behind our back, hence the guarded pointers.
    QPointer<QWidget> owner_;
    bool ownerDisabled_ = false;
    bool cursorOverridden_ = false;
    mutable std::optional<bool> largeFonts_;
    MessageSink messageSink_;
};

}  // namespace vx

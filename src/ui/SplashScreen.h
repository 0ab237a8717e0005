// The splash window shown while the embedded GEDCOM is unpacked and indexed:
// the program's name and version, the creator's title, name and date, and a
// bar that keeps moving whenever the loading lets the screen repaint.
#pragma once

#include <QWidget>
#include <string>

class QLabel;
class QProgressBar;
class QTimer;

namespace vx {

class TVX_SplashScreen : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 402;
    static constexpr int kHeight = 251;

    explicit TVX_SplashScreen(const QString& title);

    void SetInfo(const QString& title, const QString& from, const QString& created);
    QLabel* AppTitleLabel() const { return appTitle_; }
    QLabel* TitleLabel() const { return title_; }
    QLabel* FromLabel() const { return from_; }
    QLabel* CreatedLabel() const { return created_; }
    QProgressBar* ProgressBar() const { return progress_; }
    QTimer* ProcessTimer() const { return timer_; }

  private:
    void Advance();

    QLabel* appTitle_;
    QLabel* title_;
    QLabel* from_;
    QLabel* created_;
    QProgressBar* progress_;
    QTimer* timer_;
};

// The one splash of the process. OpenSplash shows it with the program title
// and version; SetSplashInfo does nothing when no splash is open.
void OpenSplash(const std::string& title);
void SetSplashInfo(const std::string& title, const std::string& from, const std::string& created);
void CloseSplash();
TVX_SplashScreen* Splash();

}  // namespace vx

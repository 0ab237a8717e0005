// The about box: product, version and build, and the support link.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;

namespace vx {

inline constexpr const char* kSupportAddress = "support@fenwold.example";

// The "mailto:" target of the support link, its body percent-encoded.
QString SupportMailTarget();

class TVXAboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit TVXAboutBox(QWidget* parent = nullptr);
    QLabel* VersionLabel() const { return version_; }
    QLabel* QuestionsLink() const { return questions_; }

  private:
    QLabel* version_;
    QLabel* questions_;
};

}  // namespace vx

// "Options": the user's preferences on three pages, General, Display and
// Colors. The dialog reads every control from the settings when it opens
// and writes every control back on OK; the main window then applies them.
#pragma once

#include <QColor>
#include <QDialog>
#include <array>
#include <functional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace vx {

class TOptionsDlg : public QDialog {
    Q_OBJECT

  public:
    explicit TOptionsDlg(QWidget* parent = nullptr);

    // Sets every control from the settings and turns to the first page.
    void LoadSettings();
    // Writes every control back into the settings.
    void StoreSettings() const;
    // Runs the dialog; true on OK, when the settings hold the new values.
    bool Execute();

    QTabWidget* Pages() const { return pages_; }
    // The check box of a settings key; null for a key without one.
    QCheckBox* CheckBox(int key) const;
    // The items of the "After an Individual's name" choice and of "Font
    // Size", from 0.
    QRadioButton* NameValueButton(int item) const {
        return nameValue_.at(static_cast<size_t>(item));
    }
    QRadioButton* FontSizeButton(int item) const { return fontSize_.at(static_cast<size_t>(item)); }
    QPushButton* BackgroundButton() const { return background_; }
    QPushButton* TextButton() const { return text_; }
    QLabel* Sample() const { return sample_; }
    QColor HighlightBackground() const { return backColour_; }
    QColor HighlightText() const { return textColour_; }

    // How a colour is chosen (an invalid colour: nothing chosen); tests
    // replace the colour dialog.
    std::function<QColor(const QColor& initial, const QString& title)> colourChooser;

  private:
    void ChooseColour(QColor& colour, const QString& title);
    void ShowSample();

    QTabWidget* pages_;
    std::vector<std::pair<int, QCheckBox*>> checks_;
    std::array<QRadioButton*, 3> nameValue_{};
    std::array<QRadioButton*, 3> fontSize_{};
    QButtonGroup* nameValueGroup_;
    QButtonGroup* fontSizeGroup_;
    QPushButton* background_;
    QPushButton* text_;
    QLabel* sample_;
    QColor backColour_;
    QColor textColour_;
};

}  // namespace vx

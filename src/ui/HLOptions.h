// The parameter editors of highlighting conditions: each shows the controls
// for one kind of parameter (a sex, an individual, a text with its match
// mode, a date, a count, an age limit, an LDS status) under the condition's
// kind list, and writes the parameter in the form the condition reads.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

#include "highlight/Catalogue.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QToolButton;

namespace vx {

class WDateButtons;
class WGEDCollection;
class WSelectionButton;

// What the editors need from the main window. The editor panel owns it;
// rows and editors keep a pointer to it, so a newly loaded file reaches
// them at once.
struct WHLContext {
    const WGEDCollection* collection = nullptr;  // null while no file is open
    // Opens "Quick Find" on `individual`; true, with the choice in
    // `individual`, when the user confirms. Empty: nothing to find with.
    std::function<bool(QWidget* parent, int32_t& individual)> findIndividual;
};

class WHLABSOption : public QWidget {
    Q_OBJECT

  public:
    explicit WHLABSOption(QWidget* parent = nullptr);

    // The parameter as the condition reads it ("1SMITH", "12^4", "BEF 1850").
    virtual std::string HLString() const = 0;
    // Loads a parameter in the form HLString writes; what cannot be read
    // stays as it was. Raises no change.
    virtual void SetHLString(const std::string& text) = 0;
    // The panel's context, or null.
    virtual void SetContext(const WHLContext* context) { context_ = context; }

  signals:
    // After every change the user makes.
    void Changed();

  protected:
    const WHLContext* context_ = nullptr;
};

// A new editor for a kind's parameter; null when the kind takes none.
WHLABSOption* CreateHLOption(const KindParam& param, QWidget* parent = nullptr);

// ParamEditor::Sex: "Male", "Female" or "Unknown".
class WHLOptSex : public WHLABSOption {
    Q_OBJECT

  public:
    explicit WHLOptSex(QWidget* parent = nullptr);
    std::string HLString() const override;
    void SetHLString(const std::string& text) override;
    QComboBox* List() const { return list_; }

  private:
    QComboBox* list_;
};

// The individual shared by codes 2 and 7: chosen with "Quick Find" or
// stepped with two arrows through the individuals of the file.
class WHLOptIndividual : public WHLABSOption {
    Q_OBJECT

  public:
    explicit WHLOptIndividual(QWidget* parent = nullptr);
    // Shows individual 1 of the new file (none without one).
    void SetContext(const WHLContext* context) override;
    int32_t Individual() const { return individual_; }
    // One individual on or back; never below 1 nor beyond the last one.
    void Step(int direction);
    // "Quick Find" on the current individual.
    void Find();
    QToolButton* NextButton() const { return next_; }
    QToolButton* PreviousButton() const { return previous_; }

  protected:
    virtual void ShowIndividual(int32_t individual) = 0;
    void SetIndividual(int32_t individual);
    int32_t Limit() const;
    QToolButton* MakeStepButton(bool forward);

    int32_t individual_ = 0;
    QToolButton* next_;
    QToolButton* previous_;
};

// ParamEditor::PersonAndGenerations: an individual and a number of generations, "12^4".
class WHLOptInd : public WHLOptIndividual {
    Q_OBJECT

  public:
    explicit WHLOptInd(QWidget* parent = nullptr);
    std::string HLString() const override;
    void SetHLString(const std::string& text) override;
    QToolButton* FindButton() const { return find_; }
    QSpinBox* Generations() const { return generations_; }

  protected:
    void ShowIndividual(int32_t individual) override;

  private:
    QToolButton* find_;
    QSpinBox* generations_;
};

// ParamEditor::Person: an individual alone, "12".
class WHLOptIndNoGen : public WHLOptIndividual {
    Q_OBJECT

  public:
    explicit WHLOptIndNoGen(QWidget* parent = nullptr);
    std::string HLString() const override;
    void SetHLString(const std::string& text) override;
    QToolButton* FindButton() const { return find_; }
    QLabel* NameLabel() const { return name_; }

  protected:
    void ShowIndividual(int32_t individual) override;

  private:
    QToolButton* find_;
    QLabel* name_;
};

// ParamEditor::Text and ::Soundex: a match mode and a text, "1SMITH". The text can hold
// neither ":" nor ";", which would end the parameter or the condition.
class WHLOptString : public WHLABSOption {
    Q_OBJECT

  public:
    // `items`: "Contains;Equals;Begins;Ends" or "Text;Code".
    WHLOptString(const QString& items, QWidget* parent = nullptr);
    std::string HLString() const override;
    void SetHLString(const std::string& text) override;
    WSelectionButton* Mode() const { return mode_; }
    QLineEdit* Text() const { return text_; }

  private:
    WSelectionButton* mode_;
    QLineEdit* text_;
};

// ParamEditor::Date: "=", "BEF", "ABT" or "AFT" and a date, "BEF 12 May 1850".
class WHLOptDate : public WHLABSOption {
    Q_OBJECT

  public:
    explicit WHLOptDate(QWidget* parent = nullptr);
    std::string HLString() const override;
    void SetHLString(const std::string& text) override;
    // The "Date Dialog Box" on the shown date.
    void PickDate();
    QToolButton* CalendarButton() const { return calendar_; }
    WSelectionButton* Qualifier() const { return qualifier_; }
    WDateButtons* Date() const { return date_; }

  private:
    QToolButton* calendar_;
    WSelectionButton* qualifier_;
    WDateButtons* date_;
};

// ParamEditor::Number: a comparison and a number, "510" for ">= 10", the
// number within the kind's range.
class WHLOptInt : public WHLABSOption {
    Q_OBJECT

  public:
    WHLOptInt(int lowest, int highest, QWidget* parent = nullptr);
    std::string HLString() const override;
    void SetHLString(const std::string& text) override;
    WSelectionButton* Operator() const { return operator_; }
    QSpinBox* Value() const { return value_; }

  private:
    WSelectionButton* operator_;
    QSpinBox* value_;
};

// ParamEditor::AgeLimit: the age above which nobody counts as living, "110".
class WHLOptAgeLimit : public WHLABSOption {
    Q_OBJECT

  public:
    explicit WHLOptAgeLimit(QWidget* parent = nullptr);
    std::string HLString() const override;
    void SetHLString(const std::string& text) override;
    QSpinBox* Value() const { return value_; }

  private:
    QSpinBox* value_;
};

// ParamEditor::BaptismStatus to ::SealedToSpouseStatus: "A Date" or one status word of the
// ordinance; the parameter is the line number from 1.
class WHLOptLDSDate : public WHLABSOption {
    Q_OBJECT

  public:
    // `ordinance`: the LDS event kind (7 to 10).
    explicit WHLOptLDSDate(int ordinance, QWidget* parent = nullptr);
    std::string HLString() const override;
    void SetHLString(const std::string& text) override;
    QComboBox* List() const { return list_; }

  private:
    QComboBox* list_;
};

}  // namespace vx

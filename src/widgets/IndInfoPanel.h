// The individual panel: a painted box showing one individual in one to three
// lines (name in bold, birth line, death line) with an optional box of LDS
// ordinance letters at the right end of the name line. The Family and
// Pedigree pages are built from such panels; FillIndividualPanel writes one
// for an individual of the open file.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <string_view>

class QPainter;

namespace vx {

class WABSCollection;
class WHLGroup;

class TIndInfoPanel : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kDefaultFontSize = 8;

    explicit TIndInfoPanel(QWidget* parent = nullptr);

    // 1 to 3; other values are ignored.
    void SetLinesToShow(int lines);
    int LinesToShow() const { return linesToShow_; }

    void SetNameString(const QString& text);
    const QString& NameString() const { return name_; }
    void SetBirthString(const QString& text);
    const QString& BirthString() const { return birth_; }
    void SetDeathString(const QString& text);
    const QString& DeathString() const { return death_; }

    // The LDS box and its letters B (baptism), E (endowment), P (sealing
    // to parents) and S (sealing to a spouse).
    void SetUseLDS(bool use);
    bool UseLDS() const { return useLDS_; }
    void SetLDSBap(bool on);
    bool LDSBap() const { return ldsBap_; }
    void SetLDSEnd(bool on);
    bool LDSEnd() const { return ldsEnd_; }
    void SetLDSSP(bool on);
    bool LDSSP() const { return ldsSP_; }
    void SetLDSSS(bool on);
    bool LDSSS() const { return ldsSS_; }

    void SetPanelColor(const QColor& color);
    const QColor& PanelColor() const { return panelColor_; }
    void SetFontColor(const QColor& color);
    const QColor& FontColor() const { return fontColor_; }
    // Font size in points; the line height becomes size + 6.
    void SetFontSize(int size);
    int FontSize() const { return fontSize_; }

    // The individual shown, 0 for none.
    void SetIndividual(int32_t individual) { individual_ = individual; }
    int32_t Individual() const { return individual_; }

    // Empties the three lines and the LDS letters.
    void Clear();

    int LineHeight() const { return lineHeight_; }
    // Width of one letter cell of the LDS box.
    int LDSCellWidth() const { return ldsCell_; }
    // Height for the lines shown: L + 2, 2L + 3 or 3L + 4.
    int PanelHeight() const;

  signals:
    // A double-click on a panel that shows someone.
    void DoubleClicked(int32_t individual);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Where a panel takes the keyboard focus, Enter or Space does what a
    // double-click does.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void UpdateGeometry();
    void DrawLine(QPainter& painter, int line, const QString& text) const;
    void DrawLDSBox(QPainter& painter) const;

    int linesToShow_ = 3;
    QString name_;
    QString birth_;
    QString death_;
    bool useLDS_ = false;
    bool ldsBap_ = false;
    bool ldsEnd_ = false;
    bool ldsSP_ = false;
    bool ldsSS_ = false;
    QColor panelColor_;
    QColor fontColor_ = Qt::black;
    int fontSize_ = kDefaultFontSize;
    int lineHeight_ = kDefaultFontSize + 5;
    int ldsCell_ = 7;
    int32_t individual_ = 0;
};

// Writes the panel for individual i of the collection: name, birth and
// death lines, LDS letters when the settings use them, highlight colours
// from the group (white and black without one), the summary as hint when
// the settings ask for it, and i as its tag. For 0 the panel is cleared.
void FillIndividualPanel(TIndInfoPanel& panel, const WABSCollection* collection, WHLGroup* group,
                         int32_t individual);

// A person summary (lines ending in CR LF) as a hint that shows its text
// literally, whatever a name in it looks like.
QString HintText(std::string_view summary);

}  // namespace vx

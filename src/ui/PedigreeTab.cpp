#include "ui/PedigreeTab.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "app/Options.h"
#include "gedcom/GEDCollection.h"
#include "highlight/HLGroup.h"
#include "ui/PageContext.h"
#include "widgets/IndInfoPanel.h"
#include "widgets/QtText.h"

namespace vx {
namespace {

constexpr int kLeftColumnWidth = 180;
constexpr int kPlusSize = 13;

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

// Item measures grow by a quarter on 120-dpi screens.
bool LargeFonts() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen && qRound(screen->logicalDotsPerInchX()) == 120;
}

// The generation of panel k (1 for the subject, 5 for panels 16 to 31).
int Generation(int k) {
    int generation = 0;
    for (int n = k; n > 0; n /= 2)
        ++generation;
    return generation;
}

}  // namespace

// Draws one sibling or child: "+" when it has children, the birth date's
// qualifier and year, the given names, and the LDS letters at the right
// end, all in the person's highlight colours.
class TPedigreeListDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void SetSource(const WABSCollection* collection, WHLGroup* group, int fontSize) {
        collection_ = collection;
        group_ = group;
        fontSize_ = fontSize;
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const int height = 2 * fontSize_ - 3;
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(),
                     std::max(LargeFonts() ? Round(height * 1.25) : height, 1));
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int32_t individual = index.data(Qt::UserRole).toInt();
        if (!collection_ || individual == 0) return;
        const PedigreeListItem item = PedigreeItem(*collection_, individual);
        const QColor background =
            group_ ? ToQColor(group_->BackgroundColor(individual)) : QColor(Qt::white);
        const QColor text = group_ ? ToQColor(group_->TextColor(individual)) : QColor(Qt::black);
        const QRect rect = option.rect;
        const int s = fontSize_;
        const bool large = LargeFonts();
        const int margin = large ? 6 : 5;
        const int step = large ? Round((s - 1) * 1.25) : s - 1;

        painter->save();
        painter->fillRect(rect, background);
        if (option.state & QStyle::State_Selected) {
            QColor selected = option.palette.color(QPalette::Highlight);
            selected.setAlpha(80);
            painter->fillRect(rect, selected);
        }
        QFont font = option.font;
        font.setPointSize(s);
        painter->setFont(font);
        painter->setPen(text);
        const auto write = [&](int x, const QString& words) {
            painter->drawText(QRect(rect.left() + x, rect.top(), rect.width() - x, rect.height()),
                              Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, words);
        };
        if (item.hasChildren) write(2, "+");
        write(10, ToQt(item.qualifier));
        if (item.birthYear != 0) write(17, QString::number(item.birthYear));
        write(2 * s + 31 + (large ? s / 2 : 0), ToQt(item.givenNames));

        if (WOptions::GetFlag(opt::kUseLDS)) {
            // The item's rectangle already ends at the scroll bar, so the
            // area keeps its place at the visible right end.
            const int areaWidth = 4 * step + 2 * margin;
            const int areaLeft = rect.right() + 1 - areaWidth;
            painter->fillRect(QRect(areaLeft, rect.top(), areaWidth, rect.height()), background);
            for (int k = 0; k < 4 && k < static_cast<int>(item.lds.size()); ++k)
                write(areaLeft - rect.left() + margin + k * step,
                      QString(QChar(item.lds[static_cast<size_t>(k)])));
        }
        painter->restore();
    }

  private:
    const WABSCollection* collection_ = nullptr;
    WHLGroup* group_ = nullptr;
    int fontSize_ = 8;
};

TPedigreeChart::TPedigreeChart(QWidget* parent)
    : QWidget(parent),
      spouse_(new TIndInfoPanel(this)),
      spouseButton_(new QToolButton(this)),
      spousePlus_(new QLabel("+", this)) {
    setObjectName("PedigreeChart");
    for (int k = 1; k <= kPedigreePanels; ++k) {
        auto* panel = new TIndInfoPanel(this);
        panel->setObjectName(QString("iiPed%1").arg(k));
        panel->SetLinesToShow(PedigreePage::PanelLines(k));
        panels_[static_cast<size_t>(k)] = panel;
    }
    spouse_->setObjectName("iiPedSpouse");
    spouse_->SetLinesToShow(1);
    spouseButton_->setObjectName("butPedSpouse");
    spouseButton_->setText("Next Spouse");
    spouseButton_->setToolTip("Next Spouse");
    spouseButton_->hide();
    for (int k = 1; k <= kPlusButtons; ++k) {
        auto* plus = new QToolButton(this);
        plus->setObjectName(QString("labPedPlus%1").arg(k));
        plus->setText("+");
        plus->setFixedSize(kPlusSize, kPlusSize);
        plus->hide();
        plus_[static_cast<size_t>(k)] = plus;
    }
    // Only a sign that the spouse's parents are known; it leads nowhere.
    spousePlus_->setObjectName("labPedPlus17");
    spousePlus_->setAlignment(Qt::AlignCenter);
    spousePlus_->setFrameShape(QFrame::Box);
    spousePlus_->setFixedSize(kPlusSize, kPlusSize);
    spousePlus_->hide();
}

void TPedigreeChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

// Each generation takes a column further right and splits the height in
// twice as many bands as the one before; a panel sits in the middle of its
// band, so that each parent pair brackets its child.
void TPedigreeChart::LayOut() {
    const int chartWidth = width();
    const int area = height() - 5;
    if (chartWidth == 0 || area <= 0) return;
    const int w = Round(0.28 * chartWidth);
    const int h2 = Panel(2)->PanelHeight();
    const int g = Panel(16)->PanelHeight() / 3;

    TIndInfoPanel* first = Panel(1);
    const int h1 = first->PanelHeight();
    first->setGeometry(5, area / 2 - h1 / 2, Round(0.32 * chartWidth), h1);
    spouse_->setGeometry(5, area - spouse_->PanelHeight() - 5, w, spouse_->PanelHeight());
    spouseButton_->adjustSize();
    spouseButton_->move(12, spouse_->y() - 2 - spouseButton_->height());

    for (int k = 2; k <= kPedigreePanels; ++k) {
        const int generation = Generation(k);
        const int bands = 1 << generation;
        const int odd = 2 * (k - (1 << (generation - 1))) + 1;
        const double centre = double(area) / bands * odd;
        int left = 0;
        int top = 0;
        switch (generation) {
            case 2:
                left = w / 6;
                top = Round(centre - h2 / 2);
                break;
            case 3:
                left = w / 2;
                top = Round(centre - g);
                break;
            case 4:
                left = w + w / 4 + w / 8;
                top = Round(centre - g);
                break;
            default:
                left = 2 * w + w / 2;
                top = Round(centre - area / 128.0);
                break;
        }
        TIndInfoPanel* panel = Panel(k);
        panel->setGeometry(left, top, w, panel->PanelHeight());
    }
    for (int k = 1; k <= kPlusButtons; ++k) {
        const QRect panel = Panel(15 + k)->geometry();
        PlusButton(k)->move(panel.left() + panel.width(), panel.top());
    }
    spousePlus_->move(spouse_->x() + spouse_->width() - 1, spouse_->y());
    update();
}

void TPedigreeChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    // The subject down to the spouse.
    const int spouseX = spouse_->x() + 1;
    painter.drawLine(spouseX, Panel(1)->y(), spouseX, spouse_->y());

    const QRect eighth = Panel(8)->geometry();
    const int gap = Panel(16)->x() - (eighth.left() + eighth.width());
    const int half = gap / 2;
    const auto middle = [](const QRect& r) { return r.top() + r.height() / 2; };
    for (int k = 1; k <= 15; ++k) {
        const QRect father = Panel(2 * k)->geometry();
        const QRect mother = Panel(2 * k + 1)->geometry();
        const int fatherY = middle(father);
        const int motherY = middle(mother);
        const int bracketX = father.left() - half;
        painter.drawLine(father.left(), fatherY, bracketX, fatherY);
        painter.drawLine(bracketX, fatherY, bracketX, motherY);
        painter.drawLine(bracketX, motherY, mother.left(), motherY);
        // The last generation stands clear of its children, so a stub joins
        // each bracket to the panel it belongs to.
        if (k >= 8) {
            const int y = (fatherY + motherY) / 2;
            painter.drawLine(father.left() - gap - 1, y, bracketX, y);
        }
    }
}

TPedigreePage::TPedigreePage(QWidget* parent)
    : QWidget(parent),
      left_(new QWidget),
      siblingsCaption_(new QLabel(left_)),
      siblings_(new QListWidget(left_)),
      childrenCaption_(new QLabel(left_)),
      children_(new QListWidget(left_)),
      delegate_(new TPedigreeListDelegate(this)),
      hideLeft_(new QToolButton),
      showLeft_(new QToolButton),
      chart_(new TPedigreeChart) {
    setObjectName("PagePedigree");
    left_->setObjectName("panPedLeft");
    left_->setFixedWidth(kLeftColumnWidth);
    left_->installEventFilter(this);
    siblingsCaption_->setObjectName("PedSiblingsLab");
    childrenCaption_->setObjectName("PedChildrenLab");
    siblings_->setObjectName("LBPedSiblings");
    children_->setObjectName("LBPedChildren");
    for (QListWidget* list : {siblings_, children_}) {
        list->setItemDelegate(delegate_);
        list->setUniformItemSizes(true);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        connect(list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
            if (const int32_t individual = item->data(Qt::UserRole).toInt())
                emit IndividualChosen(individual);
        });
    }

    hideLeft_->setObjectName("sbPedLeftExpand");
    hideLeft_->setText("<");
    hideLeft_->setToolTip("Hide the siblings and children");
    showLeft_->setObjectName("sbPedRightExpand");
    showLeft_->setText(">");
    showLeft_->setToolTip("Show the siblings and children");
    showLeft_->hide();
    connect(hideLeft_, &QToolButton::clicked, this, [this] { SetLeftColumnVisible(false); });
    connect(showLeft_, &QToolButton::clicked, this, [this] { SetLeftColumnVisible(true); });

    for (int k = 1; k <= kPedigreePanels; ++k)
        connect(chart_->Panel(k), &TIndInfoPanel::DoubleClicked, this,
                &TPedigreePage::IndividualChosen);
    connect(chart_->SpousePanel(), &TIndInfoPanel::DoubleClicked, this,
            &TPedigreePage::IndividualChosen);
    connect(chart_->SpouseButton(), &QToolButton::clicked, this, &TPedigreePage::NextSpouse);
    for (int k = 1; k <= TPedigreeChart::kPlusButtons; ++k) {
        const int panel = 15 + k;
        connect(chart_->PlusButton(k), &QToolButton::clicked, this, [this, panel] {
            if (const int32_t target = page_.PlusTarget(panel)) emit IndividualChosen(target);
        });
    }

    auto* toggles = new QVBoxLayout;
    toggles->setContentsMargins(0, 0, 0, 0);
    toggles->addWidget(hideLeft_);
    toggles->addWidget(showLeft_);
    toggles->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(left_);
    layout->addLayout(toggles);
    layout->addWidget(chart_, 1);
    ClearPage();
}

void TPedigreePage::SetLeftColumnVisible(bool visible) {
    left_->setVisible(visible);
    hideLeft_->setVisible(visible);
    showLeft_->setVisible(!visible);
}

bool TPedigreePage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == left_ && event->type() == QEvent::Resize) LayOutLeftColumn();
    return QWidget::eventFilter(watched, event);
}

// Siblings in the upper half of the column, children in the lower; each
// list sits below its caption.
void TPedigreePage::LayOutLeftColumn() {
    const int width = std::max(left_->width() - 15, 1);
    const int part = left_->height() / 2;
    const int listHeight = std::max(part - 32, 1);
    const int captionHeight = siblingsCaption_->sizeHint().height();
    siblingsCaption_->setGeometry(0, 8, width, captionHeight);
    siblings_->setGeometry(0, 28, width, listHeight);
    childrenCaption_->setGeometry(0, part + 8, width, captionHeight);
    children_->setGeometry(0, part + 28, width, std::max(left_->height() - part - 32, 1));
}

void TPedigreePage::Refresh(const PageContext& context) {
    if (!context.collection) {
        collection_ = nullptr;
        page_ = PedigreePage();
        ClearPage();
        return;
    }
    if (context.active == 0) return;
    // A refresh for the same person keeps the spouse shown; anyone else
    // starts at the first family.
    const bool samePerson = collection_ == context.collection && page_.subject == context.active;
    const int marriage = samePerson ? std::max(page_.current, 1) : 1;
    collection_ = context.collection;
    group_ = context.group;
    if (context.fontSize != fontSize_ && context.fontSize > 0) {
        fontSize_ = context.fontSize;
        for (int k = 1; k <= kPedigreePanels; ++k)
            chart_->Panel(k)->SetFontSize(fontSize_);
        chart_->SpousePanel()->SetFontSize(fontSize_);
        chart_->LayOut();
    }
    page_ = BuildPedigreePage(*collection_, context.active, marriage);
    ShowPage();
}

void TPedigreePage::NextSpouse() {
    if (!collection_ || page_.families.size() < 2) return;
    ShowNextPedigreeSpouse(*collection_, page_);
    ShowPage();
}

void TPedigreePage::ShowPage() {
    for (int k = 1; k <= kPedigreePanels; ++k)
        FillIndividualPanel(*chart_->Panel(k), collection_, group_, page_.Ancestor(k));
    FillIndividualPanel(*chart_->SpousePanel(), collection_, group_, page_.spouse);
    chart_->SpouseButton()->setVisible(page_.spouseButtonVisible);
    chart_->SpousePlus()->setVisible(page_.spouseHasParents);
    for (int k = 1; k <= TPedigreeChart::kPlusButtons; ++k)
        chart_->PlusButton(k)->setVisible(page_.PanelHasPlus(*collection_, 15 + k));
    delegate_->SetSource(collection_, group_, fontSize_);
    FillList(siblings_, page_.siblings);
    FillList(children_, page_.children);
    siblingsCaption_->setText(ToQt(page_.SiblingsCaption()));
    childrenCaption_->setText(ToQt(page_.ChildrenCaption()));
}

void TPedigreePage::ClearPage() {
    for (int k = 1; k <= kPedigreePanels; ++k)
        FillIndividualPanel(*chart_->Panel(k), nullptr, nullptr, 0);
    FillIndividualPanel(*chart_->SpousePanel(), nullptr, nullptr, 0);
    chart_->SpouseButton()->hide();
    chart_->SpousePlus()->hide();
    for (int k = 1; k <= TPedigreeChart::kPlusButtons; ++k)
        chart_->PlusButton(k)->hide();
    delegate_->SetSource(nullptr, nullptr, fontSize_);
    siblings_->clear();
    children_->clear();
    siblingsCaption_->setText(ToQt(page_.SiblingsCaption()));
    childrenCaption_->setText(ToQt(page_.ChildrenCaption()));
}

void TPedigreePage::FillList(QListWidget* list, const std::vector<int32_t>& people) {
    list->clear();
    for (int32_t individual : people) {
        auto* item = new QListWidgetItem(list);
        // The text is what accessibility tools read; the delegate draws.
        item->setText(ToQt(PedigreeItem(*collection_, individual).givenNames));
        item->setData(Qt::UserRole, individual);
    }
}

}  // namespace vx

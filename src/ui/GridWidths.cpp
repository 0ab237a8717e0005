#include "ui/GridWidths.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>
#include <cmath>

namespace vx {
namespace {

// The letters whose mean advance is a font's average character width.
const QString kAlphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
// The mean advance of those letters in the 8-point sans-serif screen font the
// stored widths were chosen for.
constexpr double kDesignAverageCharWidth = 5.7;
// Room beside a value: the cell's inset on the left and a little air after it.
constexpr int kCellPadding = 8;
// How many rows a column's values are measured on: those on screen, then
// the nearest others up to this many. Values are computed to be measured,
// so a long list is sampled rather than read whole.
constexpr int kMeasuredRows = 300;
constexpr int kTailRows = 20;

}  // namespace

double FontWidthScale(const QFont& font) {
    const double average = QFontMetricsF(font).horizontalAdvance(kAlphabet) / kAlphabet.size();
    return average > 0 ? average / kDesignAverageCharWidth : 1.0;
}

int ScreenWidth(int storedWidth, const QFont& font) {
    return static_cast<int>(std::lround(std::max(storedWidth, 0) * FontWidthScale(font)));
}

int StoredWidth(int screenWidth, const QFont& font) {
    return static_cast<int>(std::lround(std::max(screenWidth, 0) / FontWidthScale(font)));
}

TGridWidths::TGridWidths(QTableView& grid, LoadWidth load, SaveWidth save, IsCompact compact)
    : QObject(&grid),
      grid_(grid),
      load_(std::move(load)),
      save_(std::move(save)),
      compact_(std::move(compact)) {
    QHeaderView* header = grid_.horizontalHeader();
    header->setMinimumSectionSize(1);
    header->setResizeContentsPrecision(kMeasuredRows);
    connect(header, &QHeaderView::sectionHandleDoubleClicked, this, &TGridWidths::Fit);
    connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (!applying_) save_(column, StoredWidth(width, grid_.font()));
    });
    if (QAbstractItemModel* model = grid_.model()) {
        connect(model, &QAbstractItemModel::modelAboutToBeReset, this,
                [this] { applying_ = true; });
        connect(model, &QAbstractItemModel::modelReset, this, [this] { applying_ = false; });
    }
}

int TGridWidths::CaptionWidth(int column) const {
    return std::max(grid_.horizontalHeader()->sectionSizeHint(column), 0);
}

int TGridWidths::ValuesWidth(int column) const {
    const QAbstractItemModel* model = grid_.model();
    const int rows = model ? model->rowCount() : 0;
    if (rows == 0) return 0;
    // The view measures the rows on screen and then others up to the
    // header's precision, through the column's delegate.
    const QAbstractItemView& view = grid_;
    int widest = view.sizeHintForColumn(column);
    // The last rows too: a list in order ends with its largest numbers.
    const QFontMetrics metrics(grid_.font());
    for (int row = std::max(rows - kTailRows, 0); row < rows; ++row)
        widest = std::max(widest, metrics.horizontalAdvance(
                                      model->index(row, column).data(Qt::DisplayRole).toString()));
    return widest + kCellPadding;
}

int TGridWidths::MinimumWidth(int column) const {
    const int caption = CaptionWidth(column);
    return compact_ && compact_(column) ? std::max(caption, ValuesWidth(column)) : caption;
}

int TGridWidths::FittedWidth(int column) const {
    return std::max(CaptionWidth(column), ValuesWidth(column));
}

void TGridWidths::Apply() {
    if (!grid_.model()) return;
    applying_ = true;
    const QFont font = grid_.font();
    for (int column = 0; column < grid_.model()->columnCount(); ++column)
        grid_.setColumnWidth(column,
                             std::max({ScreenWidth(load_(column), font), MinimumWidth(column), 1}));
    applying_ = false;
}

void TGridWidths::Store() {
    if (!grid_.model()) return;
    const QFont font = grid_.font();
    for (int column = 0; column < grid_.model()->columnCount(); ++column)
        save_(column, StoredWidth(grid_.columnWidth(column), font));
}

void TGridWidths::Fit(int column) {
    if (!grid_.model() || column < 0 || column >= grid_.model()->columnCount()) return;
    grid_.setColumnWidth(column, FittedWidth(column));
}

}  // namespace vx

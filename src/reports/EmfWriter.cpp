// The EMF output: one report page as an Enhanced Metafile, the vector format
// Windows programs paste and place. One logical unit is one page unit (a
// pixel of a 96-dpi device); the frame gives the page's size in 0.01 mm so a
// reader shows it at paper size. Fonts, pens and brushes are created once per
// style, kept in the object table while the page plays, and deleted at the end.
#include "reports/ReportWriters.h"

#include "reports/ExportFilters.h"
#include "reports/ReportEngine.h"

#include <QByteArray>
#include <QPainter>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <tuple>
#include <vector>

namespace vx::reports {

namespace {

// Record types.
enum : quint32 {
    EMR_HEADER = 1,
    EMR_EOF = 14,
    EMR_SETMAPMODE = 17,
    EMR_SETBKMODE = 18,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_MOVETOEX = 27,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_RECTANGLE = 43,
    EMR_LINETO = 54,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
};

// Stock objects have the high bit set in place of an object-table index.
constexpr quint32 kWhiteBrush = 0x80000000;
constexpr quint32 kNullBrush = 0x80000005;
constexpr quint32 kBlackPen = 0x80000007;
constexpr quint32 kNullPen = 0x80000008;
constexpr quint32 kSystemFont = 0x8000000D;

constexpr quint32 kMapModeText = 1;   // MM_TEXT: one logical unit, one device pixel
constexpr quint32 kTransparent = 1;   // background mode
constexpr quint32 kTextAlignTop = 0;  // TA_TOP | TA_LEFT | TA_NOUPDATECP
constexpr quint32 kTextAlignRight = 2;
constexpr quint32 kTextAlignCentre = 6;
constexpr quint32 kPenSolid = 0, kPenDot = 2;

// The reference device: 96 dots per inch, at least the page's size, in whole
// millimetres (480 pixels are exactly 127 mm).
int ReferencePixels(double units) {
    return std::max(480, int(std::ceil(units / 480.0)) * 480);
}

quint32 ColourRef(const QColor& colour) {
    return quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16;
}

int Round(double value) {
    return int(std::lround(value));
}

// A little-endian record under construction.
class Record {
  public:
    explicit Record(quint32 type) { U32(type).U32(0); }
    Record& U32(quint32 value) {
        char bytes[4];
        qToLittleEndian(value, bytes);
        data_.append(bytes, 4);
        return *this;
    }
    Record& I32(qint32 value) { return U32(quint32(value)); }
    Record& U16(quint16 value) {
        char bytes[2];
        qToLittleEndian(value, bytes);
        data_.append(bytes, 2);
        return *this;
    }
    Record& U8(quint8 value) {
        data_.append(char(value));
        return *this;
    }
    Record& F32(float value) {
        quint32 bits;
        std::memcpy(&bits, &value, 4);
        return U32(bits);
    }
    Record& Rect(const QRect& r) {
        return I32(r.left()).I32(r.top()).I32(r.right()).I32(r.bottom());
    }
    Record& Bytes(const QByteArray& bytes) {
        data_ += bytes;
        return *this;
    }
    Record& Pad() {
        while (data_.size() % 4)
            data_.append('\0');
        return *this;
    }
    qsizetype Size() const { return data_.size(); }
    void SetU32(qsizetype offset, quint32 value) { qToLittleEndian(value, data_.data() + offset); }
    // The finished record with its size filled in.
    const QByteArray& Done() {
        Pad();
        SetU32(4, quint32(data_.size()));
        return data_;
    }

  private:
    QByteArray data_;
};

// The records after the header, with the object table they use.
class Player {
  public:
    explicit Player(QByteArray& out) : out_(out) {}

    void Add(Record& record) {
        out_ += record.Done();
        ++records_;
    }
    void Simple(quint32 type, quint32 value) {
        Record r(type);
        r.U32(value);
        Add(r);
    }
    int Records() const { return records_; }
    int Handles() const { return int(objects_.size()) + 1; }  // slot 0 is the metafile's own

    void SelectFont(const FontSpec& font) {
        const auto key =
            std::make_tuple(font.family, Round(font.PixelSize()), font.bold, font.underline);
        auto found = fonts_.find(key);
        if (found == fonts_.end()) {
            const quint32 handle = NewHandle();
            Record r(EMR_EXTCREATEFONTINDIRECTW);
            r.U32(handle);
            // LOGFONTW: a negative height asks for that character height.
            r.I32(-std::max(1, Round(font.PixelSize()))).I32(0).I32(0).I32(0);
            r.I32(font.bold ? 700 : 400);
            r.U8(0).U8(font.underline ? 1 : 0).U8(0).U8(1 /* DEFAULT_CHARSET */);
            r.U8(0).U8(0).U8(0).U8(FontFamilyBits(font.family));
            const QString face = font.family.left(31);
            for (int n = 0; n < 32; ++n)
                r.U16(n < face.size() ? face[n].unicode() : 0);
            Add(r);
            found = fonts_.emplace(key, handle).first;
        }
        Select(font_, found->second);
    }

    void SelectPen(const QColor& colour, double width, bool dotted) {
        const auto key = std::make_tuple(ColourRef(colour), std::max(1, Round(width)), dotted);
        auto found = pens_.find(key);
        if (found == pens_.end()) {
            const quint32 handle = NewHandle();
            Record r(EMR_CREATEPEN);
            r.U32(handle).U32(dotted ? kPenDot : kPenSolid);
            r.I32(std::get<1>(key)).I32(0).U32(std::get<0>(key));
            Add(r);
            found = pens_.emplace(key, handle).first;
        }
        Select(pen_, found->second);
    }
    void SelectNullPen() { Select(pen_, kNullPen); }

    void SelectBrush(const QColor& colour) {
        const quint32 key = ColourRef(colour);
        auto found = brushes_.find(key);
        if (found == brushes_.end()) {
            const quint32 handle = NewHandle();
            Record r(EMR_CREATEBRUSHINDIRECT);
            r.U32(handle).U32(0 /* BS_SOLID */).U32(key).U32(0);
            Add(r);
            found = brushes_.emplace(key, handle).first;
        }
        Select(brush_, found->second);
    }
    void SelectNullBrush() { Select(brush_, kNullBrush); }

    void TextColour(const QColor& colour) { Set(textColour_, EMR_SETTEXTCOLOR, ColourRef(colour)); }
    void TextAlign(quint32 align) { Set(textAlign_, EMR_SETTEXTALIGN, align); }

    // Puts the stock objects back and deletes every object made.
    void Finish() {
        Select(font_, kSystemFont);
        Select(pen_, kBlackPen);
        Select(brush_, kWhiteBrush);
        for (quint32 handle = 1; handle <= quint32(objects_.size()); ++handle)
            Simple(EMR_DELETEOBJECT, handle);
    }

  private:
    static quint8 FontFamilyBits(const QString& family) {
        const QString lower = family.toLower();
        if (lower.contains(QLatin1String("courier")) || lower.contains(QLatin1String("mono")))
            return 0x30;  // FF_MODERN
        if (lower.contains(QLatin1String("times")) || lower.contains(QLatin1String("roman")))
            return 0x10;  // FF_ROMAN
        return 0x20;      // FF_SWISS
    }

    quint32 NewHandle() {
        objects_.push_back(true);
        return quint32(objects_.size());
    }
    void Select(quint32& current, quint32 handle) {
        if (current == handle) return;
        current = handle;
        Simple(EMR_SELECTOBJECT, handle);
    }
    void Set(quint32& current, quint32 type, quint32 value) {
        if (current == value) return;
        current = value;
        Simple(type, value);
    }

    QByteArray& out_;
    int records_ = 0;
    std::vector<bool> objects_;
    std::map<std::tuple<QString, int, bool, bool>, quint32> fonts_;
    std::map<std::tuple<quint32, int, bool>, quint32> pens_;
    std::map<quint32, quint32> brushes_;
    // What is selected or set now; ~0u before the first choice.
    quint32 font_ = ~0u, pen_ = ~0u, brush_ = ~0u, textColour_ = ~0u, textAlign_ = ~0u;
};

// The advance of each character in page units, measured as the report
// engine measures its texts; a pair of surrogates advances once, on its first
// half. Rounded running totals keep the rounding from adding up along a line.
std::vector<quint32> Advances(const QString& text, const FontSpec& font) {
    std::vector<quint32> dx;
    dx.reserve(size_t(text.size()));
    int placed = 0;
    for (qsizetype n = 0; n < text.size(); ++n) {
        if (text[n].isHighSurrogate() && n + 1 < text.size()) ++n;
        const int position = Round(WReportEngine::TextWidth(text.left(n + 1), font));
        dx.push_back(quint32(std::max(0, position - placed)));
        if (dx.size() < size_t(n + 1)) dx.push_back(0);
        placed = std::max(placed, position);
    }
    return dx;
}

void AppendText(Player& player, const DrawOp& op) {
    QString text = op.text;
    text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    if (text.isEmpty()) return;
    player.SelectFont(op.font);
    player.TextColour(op.colour);
    QPoint reference(Round(op.rect.left()), Round(op.rect.top()));
    switch (op.align) {
        case HAlign::Left:
            player.TextAlign(kTextAlignTop);
            break;
        case HAlign::Right:
            player.TextAlign(kTextAlignRight);
            reference.setX(Round(op.rect.right()));
            break;
        case HAlign::Centre:
            player.TextAlign(kTextAlignCentre);
            reference.setX(Round(op.rect.center().x()));
            break;
    }
    const QRect bounds = op.rect.toAlignedRect();
    const quint32 chars = quint32(text.size());
    const quint32 offString = 76;  // the fixed part of the record
    const quint32 offDx = offString + (chars * 2 + 3) / 4 * 4;

    Record r(EMR_EXTTEXTOUTW);
    r.Rect(bounds).U32(1 /* GM_COMPATIBLE */).F32(0).F32(0);
    r.I32(reference.x()).I32(reference.y()).U32(chars).U32(offString);
    r.U32(0 /* no clipping, no opaque box */).Rect(bounds).U32(offDx);
    for (QChar c : text)
        r.U16(c.unicode());
    r.Pad();
    for (quint32 dx : Advances(text, op.font))
        r.U32(dx);
    player.Add(r);
}

void AppendLine(Player& player, const DrawOp& op) {
    player.SelectPen(op.colour, op.penWidth, op.dotted);
    Record move(EMR_MOVETOEX);
    move.I32(Round(op.rect.left())).I32(Round(op.rect.top()));
    player.Add(move);
    Record line(EMR_LINETO);
    line.I32(Round(op.rect.right())).I32(Round(op.rect.bottom()));
    player.Add(line);
}

void AppendBox(Player& player, const DrawOp& op) {
    const QRectF r = op.rect.normalized();
    QRect box(QPoint(Round(r.left()), Round(r.top())), QPoint(Round(r.right()), Round(r.bottom())));
    if (op.kind == DrawKind::Rect) {
        player.SelectPen(op.colour, op.penWidth, op.dotted);
        player.SelectNullBrush();
    } else {
        // Without a pen a rectangle loses its right and bottom edges.
        player.SelectNullPen();
        player.SelectBrush(op.colour);
        box.adjust(0, 0, 1, 1);
    }
    Record record(EMR_RECTANGLE);
    record.I32(box.left()).I32(box.top()).I32(box.right()).I32(box.bottom());
    player.Add(record);
}

// A 32-bit bottom-up DIB of the image laid on white, stretched into its rect.
void AppendImage(Player& player, const DrawOp& op) {
    if (op.image.isNull()) return;
    QImage bits(op.image.size(), QImage::Format_RGB32);
    bits.fill(Qt::white);
    {
        QPainter painter(&bits);
        painter.drawImage(0, 0, op.image);
    }
    const int width = bits.width(), height = bits.height();
    const QRect dest = op.rect.normalized().toAlignedRect();
    const quint32 headerSize = 40;
    const quint32 bitsSize = quint32(width) * quint32(height) * 4;

    Record r(EMR_STRETCHDIBITS);
    r.Rect(dest).I32(dest.left()).I32(dest.top());
    r.I32(0).I32(0).I32(width).I32(height);
    r.U32(80).U32(headerSize).U32(80 + headerSize).U32(bitsSize);
    r.U32(0 /* DIB_RGB_COLORS */).U32(0x00CC0020 /* SRCCOPY */);
    r.I32(dest.width()).I32(dest.height());
    // BITMAPINFOHEADER
    r.U32(headerSize).I32(width).I32(height).U16(1).U16(32).U32(0 /* BI_RGB */).U32(bitsSize);
    r.I32(3780).I32(3780).U32(0).U32(0);
    QByteArray pixels;
    pixels.reserve(qsizetype(bitsSize));
    for (int y = height - 1; y >= 0; --y) {
        const uchar* line = bits.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            const QRgb rgb = reinterpret_cast<const QRgb*>(line)[x];
            pixels.append(char(qBlue(rgb))).append(char(qGreen(rgb))).append(char(qRed(rgb)));
            pixels.append('\0');
        }
    }
    r.Bytes(pixels);
    player.Add(r);
}

}  // namespace

void WriteEmf(const ReportDocument& document, const ReportPage& page, const QString& fileName) {
    QByteArray body;
    Player player(body);
    player.Simple(EMR_SETMAPMODE, kMapModeText);
    player.Simple(EMR_SETBKMODE, kTransparent);
    for (const DrawOp& op : page.ops) {
        switch (op.kind) {
            case DrawKind::Text:
                AppendText(player, op);
                break;
            case DrawKind::Line:
                AppendLine(player, op);
                break;
            case DrawKind::Rect:
            case DrawKind::Fill:
                AppendBox(player, op);
                break;
            case DrawKind::Image:
                AppendImage(player, op);
                break;
        }
    }
    player.Finish();
    Record eof(EMR_EOF);
    eof.U32(0).U32(16).U32(20);  // no palette; the size repeated at the end
    player.Add(eof);

    // The header: bounds in device pixels, frame in 0.01 mm (both inclusive),
    // the reference device, and the description "program\0title\0\0".
    const int pageW = Round(document.pageWidth), pageH = Round(document.pageHeight);
    const int deviceW = ReferencePixels(document.pageWidth);
    const int deviceH = ReferencePixels(document.pageHeight);
    QString description =
        QStringLiteral("Vellacor") + QChar(0) + document.title + QChar(0) + QChar(0);
    Record header(EMR_HEADER);
    header.Rect(QRect(0, 0, pageW, pageH));
    header.I32(0).I32(0);
    header.I32(Round(document.pageWidth * 2540.0 / kUnitsPerInch) - 1);
    header.I32(Round(document.pageHeight * 2540.0 / kUnitsPerInch) - 1);
    header.U32(0x464D4520).U32(0x00010000);
    const qsizetype bytesAt = header.Size();
    header.U32(0).U32(quint32(player.Records() + 1));
    header.U16(quint16(player.Handles())).U16(0);
    header.U32(quint32(description.size())).U32(108).U32(0);
    header.I32(deviceW).I32(deviceH);
    header.I32(Round(deviceW * 25.4 / kUnitsPerInch)).I32(Round(deviceH * 25.4 / kUnitsPerInch));
    header.U32(0).U32(0).U32(0);  // no pixel format, no OpenGL
    header.I32(Round(deviceW * 25400.0 / kUnitsPerInch));
    header.I32(Round(deviceH * 25400.0 / kUnitsPerInch));
    for (QChar c : description)
        header.U16(c.unicode());
    QByteArray headerBytes = header.Done();
    qToLittleEndian(quint32(headerBytes.size() + body.size()), headerBytes.data() + bytesAt);

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) ThrowWriteError(fileName);
    if (file.write(headerBytes) != headerBytes.size() || file.write(body) != body.size() ||
        !file.commit())
        ThrowWriteError(fileName);
}

}  // namespace vx::reports

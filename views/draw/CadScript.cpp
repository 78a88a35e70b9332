#include "views/draw/CadScript.h"

#include "util/ConvertError.h"
#include "util/DecimalText.h"
#include "util/NumRoutines.h"
#include "util/TextFile.h"
#include "views/draw/DrawCommon.h"

#include <QGuiApplication>
#include <QPalette>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <optional>

namespace
{

// Pen widths beyond this only paint the picture full; negative widths make no sense.
constexpr int kMaxPenWidth = 100;
// A token quoted in a message is cut to this length, so a 1 MB line gives a readable box.
constexpr int kQuotedTokenLength = 40;

const QColor kGrey(128, 128, 128);

// Splits at every blank and ";" on demand: a line with a million separators costs only
// the tokens a command reads.
class Tokens
{
public:
    explicit Tokens(QStringView line) : line_(line) {}
    // The next token; past the last one an absent (null) view.
    std::optional<QStringView> next()
    {
        if (pos_ > line_.size())
            return std::nullopt;
        qsizetype end = pos_;
        while (end < line_.size() && line_[end] != u' ' && line_[end] != u';')
            ++end;
        QStringView token = line_.sliced(pos_, end - pos_);
        pos_ = end + 1;
        return token;
    }

private:
    QStringView line_;
    qsizetype pos_ = 0;
};

// A failed number, carried to the line loop.
struct ScriptError {
    QString message;
};

QString quoted(QStringView token)
{
    if (token.size() <= kQuotedTokenLength)
        return token.toString();
    return token.first(kQuotedTokenLength).toString() + QChar(0x2026); // ellipsis
}

double readFloat(Tokens &tokens)
{
    const QStringView token = tokens.next().value_or(QStringView());
    if (auto value = TryStrictToFloat(token.toString().toStdString()))
        return *value;
    throw ScriptError{QString::fromStdString(ConvertError::notAFloat(quoted(token).toStdString()).what())};
}

int readInt(Tokens &tokens)
{
    const QStringView token = tokens.next().value_or(QStringView());
    if (auto value = TryStrictToInt(token.toString().toStdString()))
        return *value;
    throw ScriptError{QString::fromStdString(ConvertError::notAnInteger(quoted(token).toStdString()).what())};
}

// A trailing blank gives an empty last token; it counts as no token, not as an unknown name.
std::optional<QStringView> optionalToken(Tokens &tokens)
{
    auto token = tokens.next();
    if (token && token->isEmpty())
        return std::nullopt;
    return token;
}

// Command words compare with the letters A to Z in any case; every other character exactly.
char16_t foldAsciiLetter(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

bool startsWithWord(QStringView token, QStringView word)
{
    if (token.size() < word.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i)
        if (foldAsciiLetter(token[i].unicode()) != foldAsciiLetter(word[i].unicode()))
            return false;
    return true;
}

enum class Command {
    Comment,
    PenWidth,
    PenStyle,
    BrushStyle,
    BrushColor,
    Line,
    Box,
    FilledBox,
    Triangle,
    FilledTriangle,
    None
};

// In this order: "FüllungTyp" must win over "Füllung".
struct CommandWord {
    const char16_t *word;
    Command command;
};
const CommandWord kCommands[] = {
    {u"!", Command::Comment},
    {u"StiftBreite", Command::PenWidth},
    {u"StiftTyp", Command::PenStyle},
    {u"F\u00fcllungTyp", Command::BrushStyle},
    {u"F\u00fcllung", Command::BrushColor},
    {u"Linie", Command::Line},
    {u"Box", Command::Box},
    {u"VollBox", Command::FilledBox},
    {u"Dreieck", Command::Triangle},
    {u"VollDreieck", Command::FilledTriangle},
};

Command findCommand(QStringView token)
{
    for (const CommandWord &c : kCommands)
        if (startsWithWord(token, QStringView(c.word)))
            return c.command;
    return Command::None;
}

// Colour names: the sixteen basic colours, four extra shades and the system colours. A system
// colour comes from the application's palette where Qt has such a role, otherwise (and without
// an application) it is the classic Windows default.
constexpr int kNoRole = -1;
struct NamedColor {
    const char *name;
    QRgb rgb;
    int role; // QPalette::ColorRole, or kNoRole
};
const NamedColor kColors[] = {
    {"clBlack", qRgb(0, 0, 0), kNoRole},
    {"clMaroon", qRgb(128, 0, 0), kNoRole},
    {"clGreen", qRgb(0, 128, 0), kNoRole},
    {"clOlive", qRgb(128, 128, 0), kNoRole},
    {"clNavy", qRgb(0, 0, 128), kNoRole},
    {"clPurple", qRgb(128, 0, 128), kNoRole},
    {"clTeal", qRgb(0, 128, 128), kNoRole},
    {"clGray", qRgb(128, 128, 128), kNoRole},
    {"clDkGray", qRgb(128, 128, 128), kNoRole},
    {"clSilver", qRgb(192, 192, 192), kNoRole},
    {"clLtGray", qRgb(192, 192, 192), kNoRole},
    {"clRed", qRgb(255, 0, 0), kNoRole},
    {"clLime", qRgb(0, 255, 0), kNoRole},
    {"clYellow", qRgb(255, 255, 0), kNoRole},
    {"clBlue", qRgb(0, 0, 255), kNoRole},
    {"clFuchsia", qRgb(255, 0, 255), kNoRole},
    {"clAqua", qRgb(0, 255, 255), kNoRole},
    {"clWhite", qRgb(255, 255, 255), kNoRole},
    {"clMoneyGreen", qRgb(192, 220, 192), kNoRole},
    {"clSkyBlue", qRgb(166, 202, 240), kNoRole},
    {"clCream", qRgb(255, 251, 240), kNoRole},
    {"clMedGray", qRgb(160, 160, 164), kNoRole},
    {"clScrollBar", qRgb(212, 208, 200), kNoRole},
    {"clBackground", qRgb(58, 110, 165), kNoRole},
    {"clActiveCaption", qRgb(10, 36, 106), QPalette::Highlight},
    {"clInactiveCaption", qRgb(128, 128, 128), kNoRole},
    {"clMenu", qRgb(212, 208, 200), QPalette::Window},
    {"clWindow", qRgb(255, 255, 255), QPalette::Base},
    {"clWindowFrame", qRgb(0, 0, 0), kNoRole},
    {"clMenuText", qRgb(0, 0, 0), QPalette::WindowText},
    {"clWindowText", qRgb(0, 0, 0), QPalette::Text},
    {"clCaptionText", qRgb(255, 255, 255), QPalette::HighlightedText},
    {"clActiveBorder", qRgb(212, 208, 200), kNoRole},
    {"clInactiveBorder", qRgb(212, 208, 200), kNoRole},
    {"clAppWorkSpace", qRgb(128, 128, 128), QPalette::Mid},
    {"clHighlight", qRgb(10, 36, 106), QPalette::Highlight},
    {"clHighlightText", qRgb(255, 255, 255), QPalette::HighlightedText},
    {"clBtnFace", qRgb(212, 208, 200), QPalette::Button},
    {"clBtnShadow", qRgb(128, 128, 128), QPalette::Dark},
    {"clGrayText", qRgb(128, 128, 128), QPalette::PlaceholderText},
    {"clBtnText", qRgb(0, 0, 0), QPalette::ButtonText},
    {"clInactiveCaptionText", qRgb(212, 208, 200), kNoRole},
    {"clBtnHighlight", qRgb(255, 255, 255), QPalette::Light},
    {"cl3DDkShadow", qRgb(64, 64, 64), QPalette::Shadow},
    {"cl3DLight", qRgb(212, 208, 200), QPalette::Midlight},
    {"clInfoText", qRgb(0, 0, 0), QPalette::ToolTipText},
    {"clInfoBk", qRgb(255, 255, 225), QPalette::ToolTipBase},
    {"clHotLight", qRgb(0, 0, 128), QPalette::Link},
    {"clGradientActiveCaption", qRgb(166, 202, 240), kNoRole},
    {"clGradientInactiveCaption", qRgb(192, 192, 192), kNoRole},
    {"clMenuHighlight", qRgb(49, 106, 197), QPalette::Highlight},
    {"clMenuBar", qRgb(212, 208, 200), QPalette::Window},
};

// An invalid QColor stands for clNone: nothing is drawn with it.
QColor colorByName(QStringView name)
{
    for (const NamedColor &c : kColors) {
        if (name.compare(QLatin1StringView(c.name), Qt::CaseInsensitive) != 0)
            continue;
        if (c.role != kNoRole && qGuiApp)
            return QGuiApplication::palette().color(QPalette::Active, QPalette::ColorRole(c.role));
        return QColor(c.rgb);
    }
    return QColor();
}

Qt::PenStyle penStyleByName(QStringView name)
{
    if (name == u"psDash")
        return Qt::DashLine;
    if (name == u"psDot")
        return Qt::DotLine;
    if (name == u"psDashDot")
        return Qt::DashDotLine;
    if (name == u"psDashDotDot")
        return Qt::DashDotDotLine;
    if (name == u"psClear")
        return Qt::NoPen;
    return Qt::SolidLine; // psSolid, psInsideFrame and every other text
}

Qt::BrushStyle brushStyleByName(QStringView name)
{
    if (name == u"bsClear")
        return Qt::NoBrush;
    if (name == u"bsBDiagonal")
        return Qt::BDiagPattern;
    if (name == u"bsFDiagonal")
        return Qt::FDiagPattern;
    if (name == u"bsCross")
        return Qt::CrossPattern;
    if (name == u"bsDiagCross")
        return Qt::DiagCrossPattern;
    if (name == u"bsHorizontal")
        return Qt::HorPattern;
    if (name == u"bsVertical")
        return Qt::VerPattern;
    return Qt::SolidPattern; // bsSolid and every other text
}

int clampPenWidth(int width)
{
    return std::clamp(width, 0, kMaxPenWidth);
}

class Interpreter
{
public:
    Interpreter(QPainter &painter, const CadFrame &frame)
        : painter_(painter), scale_(std::isfinite(frame.scale) ? frame.scale : 0), originX_(ui::ClampedPixel(frame.originX)),
          groundY_(ui::ClampedPixel(frame.groundY)), penWidth_(clampPenWidth(frame.penWidth))
    {
    }

    void run(QStringView line)
    {
        Tokens tokens(line);
        const Command command = findCommand(*tokens.next());
        switch (command) {
        case Command::Comment:
        case Command::None:
            break;
        case Command::PenWidth:
            penWidth_ = clampPenWidth(readInt(tokens));
            break;
        case Command::PenStyle:
            penStyle_ = penStyleByName(tokens.next().value_or(QStringView()));
            break;
        case Command::BrushStyle:
            brushStyle_ = brushStyleByName(tokens.next().value_or(QStringView()));
            break;
        case Command::BrushColor:
            brushColor_ = colorByName(tokens.next().value_or(QStringView()));
            break;
        case Command::Line: {
            const QPoint a = point(tokens), b = point(tokens);
            const auto colour = optionalToken(tokens);
            apply(colour ? colorByName(*colour) : penColor_);
            painter_.drawLine(a, b);
            break;
        }
        case Command::Box: {
            const QPoint a = point(tokens), b = point(tokens);
            const auto colour = optionalToken(tokens);
            if (colour)
                penColor_ = colorByName(*colour);
            brushColor_ = penColor_;
            brushStyle_ = Qt::NoBrush;
            apply(penColor_);
            drawBox(a, b);
            break;
        }
        case Command::FilledBox: {
            const QPoint a = point(tokens), b = point(tokens);
            apply(penColor_);
            drawBox(a, b);
            break;
        }
        case Command::Triangle:
        case Command::FilledTriangle: {
            const QPoint a = point(tokens), b = point(tokens), c = point(tokens);
            penColor_ = brushColor_ = kGrey;
            brushStyle_ = command == Command::Triangle ? Qt::NoBrush : Qt::SolidPattern;
            apply(penColor_);
            painter_.drawPolygon(QPolygon({a, b, c}));
            break;
        }
        }
    }

private:
    // (ox + rnd(s x), gy - rnd(s y)); the offsets are clamped before rounding, so a script point
    // 1e300 m away does not reach the painter as a wrapped or infinite coordinate.
    QPoint point(Tokens &tokens)
    {
        const double x = readFloat(tokens);
        const double y = readFloat(tokens);
        return QPoint(originX_ + ui::ClampedPixel(scale_ * x), groundY_ - ui::ClampedPixel(scale_ * y));
    }

    void apply(const QColor &penColor)
    {
        if (penColor.isValid() && penStyle_ != Qt::NoPen)
            painter_.setPen(QPen(QBrush(penColor), penWidth_, penStyle_, Qt::RoundCap, Qt::RoundJoin));
        else
            painter_.setPen(Qt::NoPen);
        if (brushColor_.isValid() && brushStyle_ != Qt::NoBrush)
            painter_.setBrush(QBrush(brushColor_, brushStyle_));
        else
            painter_.setBrush(Qt::NoBrush);
    }

    // Corners given in any order; the outline runs through both corner pixels.
    void drawBox(QPoint a, QPoint b)
    {
        const int left = std::min(a.x(), b.x()), top = std::min(a.y(), b.y());
        painter_.drawRect(left, top, std::abs(a.x() - b.x()), std::abs(a.y() - b.y()));
    }

    QPainter &painter_;
    double scale_;
    int originX_;
    int groundY_;
    int penWidth_;
    QColor penColor_ = Qt::black;
    Qt::PenStyle penStyle_ = Qt::SolidLine;
    QColor brushColor_ = Qt::black;
    Qt::BrushStyle brushStyle_ = Qt::SolidPattern;
};

} // namespace

CadRunResult DrawCAD(QPainter &painter, const QStringList &lines, const CadFrame &frame)
{
    struct Saved {
        QPainter &p;
        explicit Saved(QPainter &painter) : p(painter) { p.save(); }
        ~Saved() { p.restore(); }
    } saved(painter);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode); // hatches leave the picture visible between their lines
    Interpreter interpreter(painter, frame);
    CadRunResult result;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        try {
            interpreter.run(lines[i]);
        } catch (const ScriptError &e) {
            result.ok = false;
            result.failedLine = int(i + 1);
            result.message = QStringLiteral("CAD-Skript, Zeile %1: %2").arg(result.failedLine).arg(e.message);
            break;
        }
    }
    return result;
}

QStringList ReadCadScript(const QString &path)
{
    QStringList lines;
    for (const std::string &line : ReadTextLines(path.toStdString()))
        lines << QString::fromStdString(line);
    return lines;
}

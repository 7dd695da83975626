#include "drawing/DrawingReader.h"

#include "base/Errors.h"
#include "base/Number.h"

#include <cmath>

namespace quillet::drawing {

namespace {

bool startsWith(const std::string &s, const char *prefix)
{
    return s.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

constexpr double kLargestNumber = 1e100;

/// Blank-separated numbers; false when a token is not a number.
bool numbersIn(const std::string &text, std::vector<double> &out)
{
    out.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        const std::size_t end = text.find(' ', i);
        const std::string token = text.substr(i, end == std::string::npos ? std::string::npos : end - i);
        try {
            out.push_back(static_cast<double>(parseFloat(token)));
        } catch (const ConvertError &) {
            return false;
        }
        // Far beyond any drawing, and the sizes and bounds made from such a number
        // would leave the range of doubles: the record is broken.
        if (!std::isfinite(out.back()) || std::fabs(out.back()) > kLargestNumber)
            return false;
        i = end == std::string::npos ? text.size() : end;
    }
    return true;
}

/// A whole decimal number without sign or blanks in [lo, hi]; -1 otherwise.
int smallNumber(const std::string &text, int lo, int hi)
{
    if (text.empty() || text.size() > 3)
        return -1;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        v = v * 10 + (c - '0');
    }
    return v >= lo && v <= hi ? v : -1;
}

/// One lower-case hexadecimal digit as the group and layer records write it.
int hexDigit(const std::string &text)
{
    if (text.size() != 1)
        return -1;
    const char c = text[0];
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool isTextRecord(const std::string &line)
{
    static const char *const names[] = {"ch", "cv", "cs", "cr", "co", "cp", "ct", "ck", "cz", "c2"};
    for (const char *n : names)
        if (startsWith(line, n))
            return true;
    return false;
}

constexpr double kHalfTurn = 3.1416;

class Reader {
public:
    explicit Reader(const Context &context) : m_context(context), m_style(context.style)
    {
        m_kind = context.textKind;
        m_font = context.font;
        m_basePoint = context.basePoint;
        m_free = context.kinds[0];
    }

    void read(const std::string &line, int number)
    {
        m_number = number;
        m_line = &line;
        if (line.empty())
            return report("empty line");
        if (line[0] == ' ')
            return plainLine(line);
        if (startsWith(line, "ci "))
            return arc(line.substr(3));
        if (startsWith(line, "sc "))
            return solidArc(line.substr(3));
        if (startsWith(line, "sl "))
            return solid(line.substr(3));
        if (startsWith(line, "lc10 "))
            return solidColour(line.substr(5));
        if (startsWith(line, "lc"))
            return penColour(line.substr(2));
        if (startsWith(line, "lt"))
            return lineType(line.substr(2));
        if (startsWith(line, "ly"))
            return layerOrGroup(line.substr(2), m_style.layer, "layer");
        if (startsWith(line, "lg"))
            return layerOrGroup(line.substr(2), m_style.group, "layer group");
        if (startsWith(line, "by"))
            return scaleRatio(line.substr(2));
        if (startsWith(line, "cn\""))
            return font(line.substr(3));
        if (startsWith(line, "cn"))
            return textKind(line.substr(2));
        if (startsWith(line, "cc"))
            return basePoint(line.substr(2));
        if (isTextRecord(line))
            return text(line);
        report("unknown record");
    }

    Drawing take() { return std::move(m_out); }

    /// The state the lines read so far leave, for the next reader to start from.
    Context state() const
    {
        Context c = m_context;
        c.style = m_style;
        c.textKind = m_kind;
        c.font = m_font;
        c.basePoint = m_basePoint;
        c.kinds[0] = m_free;
        return c;
    }

private:
    void report(const std::string &message) { m_out.diagnostics.push_back({m_number, message, *m_line}); }
    void add(Shape shape) { m_out.items.push_back({std::move(shape), m_style, m_number}); }

    void plainLine(const std::string &line)
    {
        std::vector<double> v;
        if (!numbersIn(line, v) || v.size() != 4)
            return report("a plain line needs four numbers");
        add(Line{{v[0], v[1]}, {v[2], v[3]}});
    }

    void arc(const std::string &rest)
    {
        std::vector<double> v;
        if (!numbersIn(rest, v) || (v.size() != 3 && v.size() != 7))
            return report("a circle needs three numbers, an arc seven");
        if (v[2] < 0)
            return report("negative radius");
        Arc a;
        a.centre = {v[0], v[1]};
        a.radius = v[2];
        if (v.size() == 7) {
            if (v[5] <= 0)
                return report("flatness must be above 0");
            a.start = v[3];
            a.end = v[4];
            a.flatness = v[5];
            a.tilt = v[6];
            a.whole = false;
        }
        add(a);
    }

    void solidArc(const std::string &rest)
    {
        std::vector<double> v;
        if (!numbersIn(rest, v) || v.size() != 8)
            return report("a solid arc needs eight numbers");
        if (v[2] < 0)
            return report("negative radius");
        if (v[3] <= 0)
            return report("flatness must be above 0");
        SolidArc s;
        s.centre = {v[0], v[1]};
        s.radius = v[2];
        s.flatness = v[3];
        s.tilt = v[4];
        s.start = v[5];
        s.span = v[6];
        if (v[7] == 100) {
            s.whole = true;
        } else if (v[7] == 5) {
            // Only half discs are written in this form; any other span would leave
            // open whether the piece ends at its chord or at the centre.
            if (std::fabs(v[6] - kHalfTurn) > 1e-3)
                return report("a solid arc of kind 5 must span 3.1416");
        } else {
            return report("unknown solid arc kind");
        }
        add(s);
    }

    void solid(const std::string &rest)
    {
        std::vector<double> v;
        if (!numbersIn(rest, v) || (v.size() != 6 && v.size() != 8))
            return report("a solid needs three or four corners");
        Solid s;
        for (std::size_t i = 0; i < v.size(); i += 2)
            s.corners.push_back({v[i], v[i + 1]});
        add(s);
    }

    void solidColour(const std::string &rest)
    {
        std::vector<double> v;
        if (!numbersIn(rest, v) || v.size() != 1 || v[0] < 0 || v[0] > 0xFFFFFF || v[0] != std::floor(v[0]))
            return report("a solid colour needs one colour number 0..16777215");
        m_style.colour = {10, static_cast<std::uint32_t>(v[0])};
    }

    void penColour(const std::string &rest)
    {
        const int n = smallNumber(rest, 1, 9);
        if (n < 0)
            return report("pen colour must be 1..9");
        m_style.colour = {n, 0};
    }

    void lineType(const std::string &rest)
    {
        const int n = smallNumber(rest, 1, 9);
        if (n < 0)
            return report("line type must be 1..9");
        m_style.lineType = n;
    }

    void layerOrGroup(const std::string &rest, int &target, const char *what)
    {
        const int n = hexDigit(rest);
        if (n < 0)
            return report(std::string(what) + " must be one hexadecimal digit 0..f");
        target = n;
    }

    void scaleRatio(const std::string &rest)
    {
        std::vector<double> v;
        if (rest.empty() || rest[0] == ' ' || !numbersIn(rest, v) || v.size() != 1 || v[0] <= 0)
            return report("a scale ratio needs one number above 0");
    }

    void font(const std::string &rest)
    {
        // cn"$<name> sets the font, cn"$<name>) gives the host its own back.
        const std::size_t close = rest.rfind('>');
        if (!startsWith(rest, "$<") || close == std::string::npos || close < 2 ||
            !(close + 1 == rest.size() || (close + 2 == rest.size() && rest[close + 1] == ')')))
            return report("a font record reads cn\"$<name>");
        m_font = rest.substr(2, close - 2);
    }

    void textKind(const std::string &rest)
    {
        if (startsWith(rest, "0 ")) {
            std::vector<double> v;
            if (!numbersIn(rest.substr(2), v) || v.size() < 3 || v[0] <= 0 || v[1] <= 0 || v[2] < 0)
                return report("a free text size needs width, height and spacing");
            const int pen = v.size() >= 4 && v[3] >= 1 && v[3] <= 9 && v[3] == std::floor(v[3]) ? int(v[3]) : 0;
            m_free = {v[0], v[1], v[2], pen};
            m_kind = 0;
            return;
        }
        const int n = smallNumber(rest, 0, 10);
        if (n < 0)
            return report("text kind must be 0..10");
        m_kind = n;
    }

    void basePoint(const std::string &rest)
    {
        const int n = smallNumber(rest, 0, 8);
        if (n < 0)
            return report("base point must be 0..8");
        m_basePoint = n;
    }

    void text(const std::string &line)
    {
        const std::size_t quote = line.find('"');
        if (quote == std::string::npos || quote < 3 || line[2] != ' ')
            return report("a text record reads ch x y dx dy \"text");
        std::vector<double> v;
        if (!numbersIn(line.substr(3, quote - 3), v) || v.size() != 4)
            return report("a text record needs four numbers before the text");
        if (v[2] == 0 && v[3] == 0)
            return report("a text record needs a direction");
        Text t;
        t.record = line.substr(0, 2);
        t.at = {v[0], v[1]};
        t.direction = {v[2], v[3]};
        t.text = line.substr(quote + 1);
        t.font = m_font;
        t.textKind = m_kind;
        t.basePoint = m_basePoint;
        const TextKindSize k = m_kind == 0 ? m_free : m_context.kinds[std::size_t(m_kind)];
        const double scale = m_context.groupScales[std::size_t(m_style.group >= 0 ? m_style.group : 0)];
        t.size = {k.width * scale, k.height * scale, k.spacing * scale};
        t.pen = k.pen;
        add(t);
    }

    const Context m_context;
    Style m_style;
    int m_kind = 1;
    std::string m_font;
    int m_basePoint = 0;
    TextKindSize m_free;
    Drawing m_out;
    int m_number = 0;
    const std::string *m_line = nullptr;
};

/// The numbers of a header line after its keyword.
std::vector<double> headerNumbers(const std::string &line)
{
    std::vector<double> v;
    const std::size_t blank = line.find(' ');
    if (blank == std::string::npos || !numbersIn(line.substr(blank), v))
        v.clear();
    return v;
}

} // namespace

Drawing readDrawing(const Lines &lines, const Context &context)
{
    Reader reader(context);
    for (std::size_t i = 0; i < lines.size(); ++i)
        reader.read(lines[i], int(i + 1));
    return reader.take();
}

Context contextFromExchange(const Lines &exchange)
{
    Context c;
    std::array<std::vector<double>, 4> sizes;
    std::size_t i = 0;
    for (; i < exchange.size() && !exchange[i].empty() && exchange[i][0] == 'h'; ++i) {
        const std::string &l = exchange[i];
        const std::vector<double> v = headerNumbers(l);
        if (startsWith(l, "hs ") && v.size() >= 16) {
            for (std::size_t g = 0; g < 16; ++g)
                c.groupScales[g] = v[g];
        } else if (startsWith(l, "hcw ")) {
            sizes[0] = v;
        } else if (startsWith(l, "hch ")) {
            sizes[1] = v;
        } else if (startsWith(l, "hcd ")) {
            sizes[2] = v;
        } else if (startsWith(l, "hcc ")) {
            sizes[3] = v;
        }
    }
    for (std::size_t k = 1; k <= 10; ++k) {
        auto at = [&](int which) { return sizes[which].size() >= k ? sizes[which][k - 1] : 0.0; };
        const double pen = at(3);
        c.kinds[k] = {at(0), at(1), at(2), pen >= 1 && pen <= 9 && pen == std::floor(pen) ? int(pen) : 0};
    }
    Reader reader(c);
    for (; i < exchange.size() && exchange[i] != "#"; ++i)
        reader.read(exchange[i], int(i + 1));
    return reader.state();
}

std::vector<Item> selectedTexts(const Lines &exchange, const Context &context)
{
    std::size_t i = 0;
    while (i < exchange.size() && exchange[i] != "#")
        ++i;
    Reader reader(context);
    for (++i; i < exchange.size(); ++i)
        reader.read(exchange[i], int(i + 1));
    std::vector<Item> texts;
    for (auto &item : reader.take().items)
        if (Text *t = std::get_if<Text>(&item.shape)) {
            t->measured = true;
            texts.push_back(std::move(item));
        }
    return texts;
}

} // namespace quillet::drawing

#pragma once
#include "base/FloatFormat.h"
#include "base/Number.h"
#include "base/TextFile.h"
#include "engine/RunSetup.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

namespace quillet {

/// A tail kept by SharedTails: `length` bytes, in a block that may be read in whole
/// sixteen-byte pieces past them.
struct SharedTail {
    const char *bytes = nullptr;
    std::size_t length = 0;
};

/// The ends of lines that many lines share, such as a cloud bump's radius, arc angles,
/// flatness and tilt after its centre: each written once, then copied for every line
/// that ends with it. Lines of one kind (a cloud's kinds of bump) all end alike, and
/// each kind keeps its own tail.
class SharedTails {
public:
    /// Room a tail is made in: enough for three numbers and some words.
    static constexpr std::size_t kCapacity = 4 * kGeneralCapacity + 32;
    /// How many kinds of line (0 to kKinds - 1) each keep a tail of their own.
    static constexpr int kKinds = 8;

    /// Whether the tail of `kind` is made and kept.
    bool holds(int kind) const { return kind >= 0 && kind < kKinds && m_ofKind[kind].kept; }

    /// The tail of every line of `kind`: made by `make(char *out)` for the first of
    /// them, then kept. make writes at most kCapacity bytes into out (of which
    /// formatFloatTo may use kGeneralCapacity beyond what it keeps) and returns its
    /// length. A tail too long for its block is refused, and made again when its kind
    /// is next asked for.
    template <class Make>
    SharedTail ofKind(int kind, Make make)
    {
        if (kind < 0 || kind >= kKinds)
            throw std::logic_error("a kind of line with no shared tail");
        Tail &t = m_ofKind[kind];
        if (!t.kept) {
            const std::size_t length = make(t.text);
            // What make() may keep leaves the whole sixteen-byte pieces it is read in
            // inside the block.
            if (length > kCapacity - 16)
                throw std::logic_error("a shared tail longer than its block");
            t.length = length;
            t.kept = true;
        }
        return {t.text, t.length};
    }

private:
    struct Tail {
        bool kept = false;
        std::size_t length = 0;
        // Not cleared: a tail is written before it is used, and what lies past it is
        // copied along in the last sixteen-byte piece but never counted.
        char text[kCapacity];
    };
    Tail m_ofKind[kKinds];
};

/// Appends drawing command lines to the Output list. It owns the number format of
/// every coordinate, radius and angle, and the rule for colour lines.
class CommandWriter {
public:
    /// `hostColorLine` is written back for the colour 0 ("JWW書込"); `leaderColor`
    /// is the leader's chooser that every element colour 0 falls back to.
    CommandWriter(PackedLines &output, const std::string &hostColorLine, int leaderColor);

    /// A number as every command prints it: the 32-bit value, widened and formatted.
    static std::string number(float value) { return formatFloat(value); }

    /// Colour line for an element chooser: 0 means the leader's colour.
    void color(int chooser);
    /// Colour line of the leader itself: 0 means the host's current colour.
    void leaderColor();

    /// Plain line " x1 y1 x2 y2".
    void line(PointF a, PointF b);
    void line(float x1, float y1, float x2, float y2);
    /// Full circle "ci x y r".
    void circle(PointF c, float r);
    /// Arc "ci x y r" followed by a literal tail of angles and flatness, then the tilt.
    void arc(PointF c, float r, const std::string &tail, float tilt);
    /// Arc "ci x y r" followed by a literal tail that ends the record.
    void arc(PointF c, float r, const std::string &tail);
    /// Solid disc "sc x y r 1 0 0 3.1416 100".
    void solidCircle(PointF c, float r);
    /// Solid triangle "sl xa ya xb yb xc yc".
    void solidTriangle(PointF a, PointF b, PointF c);
    /// Solid quadrilateral "sl xa ya xb yb xc yc xd yd".
    void solidQuad(PointF a, PointF b, PointF c, PointF d);
    /// Solid half disc "sc x y r" + flatness, tilt and start as given + " 3.1416 5".
    void solidHalfDisc(PointF c, float r, const std::string &flatness, const std::string &tilt,
                       const std::string &start);
    /// Colour of the solid fills: "lc10 " and the colour box's colour number.
    void fillColor(int colorNumber);
    /// Any line that is not a drawing command with numbers (layer, font, a host line).
    void raw(const std::string &line);

    /// A line of any other shape, built in place: start(), then put() and num() in
    /// writing order, then finish() appends it.
    CommandWriter &start(const char *head)
    {
        m_line = m_output.room(m_room);
        m_length = 0;
        return put(head);
    }
    CommandWriter &put(const char *text)
    {
        append(text, std::strlen(text));
        return *this;
    }
    CommandWriter &put(const std::string &text)
    {
        append(text.data(), text.size());
        return *this;
    }
    CommandWriter &num(float value);
    /// num() into `out` (kGeneralCapacity bytes of room) instead of the line: the
    /// numbers of a shared tail, which repeat from one frame to the next as they do
    /// from line to line. Returns the length written.
    std::size_t numberTo(char *out, float value);
    void finish() { m_output.closeLine(m_length); }
    /// A whole line: a head of three characters, the point "x y", then a shared tail.
    /// The many lines of a cloud's bumps differ in their centres alone, which are
    /// formatted without the look-up of num() and not kept, so that they do not push
    /// out the numbers that do repeat.
    /// Inline: the bump loops write hundreds of them a run, and each is little more
    /// than its two numbers. Returns the length of "x y".
    std::size_t centreLine(const char (&head)[4], float x, float y, const SharedTail &tail)
    {
        // Room for the numbers as formatFloatTo writes them (kGeneralCapacity each, of
        // which it keeps at most 22) and for the tail in whole sixteen-byte pieces, made
        // once rather than before every piece; fixed-size copies rather than calls.
        const std::size_t pieces = wholePieces(tail.length);
        char *p = startLine(head, 3 + 2 * kGeneralCapacity + 1 + pieces);
        p += formatFloatInline(p, x);
        *p++ = ' ';
        p += formatFloatInline(p, y);
        const std::size_t centreLength = std::size_t(p - m_line) - 3;
        copyTail(p, tail, pieces);
        return centreLength;
    }
    /// centreLine with the centre copied from an earlier line written by centreLine:
    /// its `centreLength` bytes after the head of line `from`.
    void copiedCentreLine(const char (&head)[4], std::size_t from, std::size_t centreLength, const SharedTail &tail)
    {
        const std::size_t pieces = wholePieces(tail.length), centrePieces = wholePieces(centreLength);
        char *p = startLine(head, 3 + centrePieces + pieces);
        // Asked for after the room: making room may move every line.
        const char *const centre = m_output[from].data() + 3;
        // In whole pieces where they end before this line starts, as they do after a
        // line's tail and CR LF; byte by byte otherwise.
        if (centre + centrePieces <= m_line) {
            for (std::size_t i = 0; i < centrePieces; i += 16)
                std::memcpy(p + i, centre + i, 16);
        } else {
            std::memcpy(p, centre, centreLength);
        }
        p += centreLength;
        copyTail(p, tail, pieces);
    }

    PackedLines &output() { return m_output; }

private:
    static std::size_t wholePieces(std::size_t n) { return (n + 15) / 16 * 16; }
    // Starts a line of at most `need` bytes with its head; returns where the rest goes.
    char *startLine(const char (&head)[4], std::size_t need)
    {
        if (m_room < need)
            m_room = need;
        m_line = m_output.room(m_room);
        std::memcpy(m_line, head, 3);
        return m_line + 3;
    }
    // The tail after the rest of the line at `p`, in its whole sixteen-byte pieces
    // (room made for them), then the line finished.
    void copyTail(char *p, const SharedTail &tail, std::size_t pieces)
    {
        const char *const bytes = tail.bytes; // not read again after every piece written
        for (std::size_t i = 0; i < pieces; i += 16)
            std::memcpy(p + i, bytes + i, 16);
        m_length = std::size_t(p + tail.length - m_line);
        finish();
    }
    void colorNumber(int n);
    // " x y" of a point, each number after one blank.
    CommandWriter &point(PointF p);

    // The pieces of a line are a few bytes each: they are copied into room kept ahead
    // (at least kGeneralCapacity bytes beyond the line once anything was written), not
    // appended through a string's own checks.
    void append(const char *text, std::size_t n)
    {
        if (m_length + n + kGeneralCapacity > m_room)
            makeRoom(n);
        std::memcpy(m_line + m_length, text, n);
        m_length += n;
    }
    void makeRoom(std::size_t n);
    // num() for a number not among the recent ones, or for a writer without room yet.
    CommandWriter &numMissed(float value, std::uint32_t bits, std::size_t set, int hit);
    // The recent numbers' set a number's bits belong to, and its slot there (-1: none).
    static std::size_t setOf(std::uint32_t bits);
    int findRecent(std::uint32_t bits, std::size_t set) const;
    // The number into `out`, copied from its slot (`hit`) or formatted and kept.
    std::size_t keptNumberTo(char *out, float value, std::uint32_t bits, std::size_t set, int hit);
    // Makes sure of kGeneralCapacity bytes of room ahead of the line.
    CommandWriter &roomAhead();

    PackedLines &m_output;
    // The line being built, in place after the Output list's last line (its room, of
    // m_room bytes), of which the first m_length bytes are written. A line is started
    // and finished before anything else is added to the list.
    char *m_line = nullptr;
    std::size_t m_room = 0;
    std::size_t m_length = 0;
    // Numbers recently written, by their bits: a cloud writes the same radius, tilt and
    // flatness on every bump, and formatting costs more than a look-up. Two slots per
    // hash value, the one used longer ago replaced: with one, two values that hash
    // alike (a radius and a tilt written on the same lines) pushed each other out on
    // every line.
    struct RecentNumber {
        std::uint32_t bits = 0;
        std::uint8_t length = 0; // 0: empty slot
        char text[27] = {};
    };
    static constexpr int kRecentSets = 8;
    RecentNumber m_recent[kRecentSets][2];
    std::uint8_t m_older[kRecentSets] = {}; // per set, the slot used longer ago
    const std::string &m_hostColorLine;
    int m_leaderColor;
};

} // namespace quillet

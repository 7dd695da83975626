#pragma once
// An SVG document read back for the tests: a strict little XML reader that fails on
// anything not well-formed, and the shapes of its elements as points in drawing
// units (y pointing up again).
#include <cmath>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillet::test {

struct XmlElement {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text; ///< character data directly inside, entities resolved
    std::string attr(const std::string &key) const
    {
        const auto it = attributes.find(key);
        return it == attributes.end() ? std::string() : it->second;
    }
};

/// Every element of a well-formed document in document order; throws
/// std::runtime_error with the offset of the first fault.
inline std::vector<XmlElement> parseXml(const std::string &doc)
{
    std::vector<XmlElement> out;
    std::vector<std::string> open;
    std::vector<std::size_t> openIndex;
    std::size_t i = 0;
    auto fail = [&](const std::string &why) { throw std::runtime_error(why + " at " + std::to_string(i)); };
    auto isName = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == ':' || c == '_'; };
    auto unescape = [&](const std::string &s) {
        std::string r;
        for (std::size_t k = 0; k < s.size(); ++k) {
            if (s[k] == '<')
                fail("raw < in text");
            if (s[k] != '&') {
                r += s[k];
                continue;
            }
            const std::size_t semi = s.find(';', k);
            if (semi == std::string::npos)
                fail("unterminated entity");
            const std::string e = s.substr(k + 1, semi - k - 1);
            static const std::map<std::string, char> known = {
                {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
            if (!known.count(e))
                fail("unknown entity " + e);
            r += known.at(e);
            k = semi;
        }
        return r;
    };
    if (doc.compare(0, 5, "<?xml") == 0)
        i = doc.find("?>") + 2;
    bool rootSeen = false;
    while (i < doc.size()) {
        const std::size_t lt = doc.find('<', i);
        const std::string chars = doc.substr(i, lt == std::string::npos ? std::string::npos : lt - i);
        const std::string text = unescape(chars);
        if (open.empty()) {
            if (text.find_first_not_of(" \r\n\t") != std::string::npos)
                fail("text outside the root");
        } else {
            out[openIndex.back()].text += text;
        }
        if (lt == std::string::npos)
            break;
        i = lt + 1;
        if (i < doc.size() && doc[i] == '/') {
            const std::size_t gt = doc.find('>', i);
            if (gt == std::string::npos)
                fail("unterminated end tag");
            const std::string name = doc.substr(i + 1, gt - i - 1);
            if (open.empty() || open.back() != name)
                fail("mismatched end tag " + name);
            open.pop_back();
            openIndex.pop_back();
            i = gt + 1;
            continue;
        }
        if (open.empty() && rootSeen)
            fail("second root element");
        XmlElement e;
        while (i < doc.size() && isName(doc[i]))
            e.name += doc[i++];
        if (e.name.empty())
            fail("element without a name");
        for (;;) {
            while (i < doc.size() && std::isspace(static_cast<unsigned char>(doc[i])))
                ++i;
            if (i >= doc.size())
                fail("unterminated tag");
            if (doc[i] == '>' || doc.compare(i, 2, "/>") == 0)
                break;
            std::string key;
            while (i < doc.size() && isName(doc[i]))
                key += doc[i++];
            if (key.empty() || i + 1 >= doc.size() || doc[i] != '=' || doc[i + 1] != '"')
                fail("bad attribute");
            const std::size_t end = doc.find('"', i + 2);
            if (end == std::string::npos)
                fail("unterminated attribute");
            if (e.attributes.count(key))
                fail("repeated attribute " + key);
            e.attributes[key] = unescape(doc.substr(i + 2, end - i - 2));
            i = end + 1;
        }
        rootSeen = true;
        out.push_back(e);
        if (doc[i] == '>') {
            open.push_back(e.name);
            openIndex.push_back(out.size() - 1);
            i += 1;
        } else {
            i += 2;
        }
    }
    if (!open.empty())
        throw std::runtime_error("unclosed element " + open.back());
    return out;
}

struct P {
    double x, y;
};

inline std::vector<double> numbersIn(const std::string &s)
{
    std::vector<double> v;
    std::size_t i = 0;
    while (i < s.size()) {
        if (std::string("0123456789+-.").find(s[i]) == std::string::npos) {
            ++i;
            continue;
        }
        std::size_t used = 0;
        v.push_back(std::stod(s.substr(i), &used));
        i += used;
    }
    return v;
}

/// Points along an SVG elliptic arc from (x1, y1) to (x2, y2), by the endpoint to
/// centre conversion of SVG elliptical arcs (W3C SVG 1.1, appendix F.6.5).
inline void sampleSvgArc(double x1, double y1, double rx, double ry, double phiDeg, bool large, bool sweep, double x2,
                         double y2, std::vector<P> &out)
{
    const double pi = 3.14159265358979323846, phi = phiDeg * pi / 180;
    const double c = std::cos(phi), s = std::sin(phi);
    const double xp = c * (x1 - x2) / 2 + s * (y1 - y2) / 2, yp = -s * (x1 - x2) / 2 + c * (y1 - y2) / 2;
    const double lambda = xp * xp / (rx * rx) + yp * yp / (ry * ry);
    if (lambda > 1)
        rx *= std::sqrt(lambda), ry *= std::sqrt(lambda);
    const double num = rx * rx * ry * ry - rx * rx * yp * yp - ry * ry * xp * xp;
    const double den = rx * rx * yp * yp + ry * ry * xp * xp;
    double coef = std::sqrt(std::max(0.0, num / den));
    if (large == sweep)
        coef = -coef;
    const double cxp = coef * rx * yp / ry, cyp = -coef * ry * xp / rx;
    const double cx = c * cxp - s * cyp + (x1 + x2) / 2, cy = s * cxp + c * cyp + (y1 + y2) / 2;
    auto angle = [](double ux, double uy, double vx, double vy) { return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy); };
    const double t1 = angle(1, 0, (xp - cxp) / rx, (yp - cyp) / ry);
    double dt = angle((xp - cxp) / rx, (yp - cyp) / ry, (-xp - cxp) / rx, (-yp - cyp) / ry);
    if (!sweep && dt > 0)
        dt -= 2 * pi;
    if (sweep && dt < 0)
        dt += 2 * pi;
    for (int k = 0; k <= 200; ++k) {
        const double t = t1 + dt * k / 200;
        out.push_back({cx + rx * std::cos(t) * c - ry * std::sin(t) * s, cy + rx * std::cos(t) * s + ry * std::sin(t) * c});
    }
}

/// The points an SVG shape element passes through, in SVG coordinates.
inline std::vector<P> svgShapePoints(const XmlElement &e)
{
    std::vector<P> pts;
    if (e.name == "line") {
        pts.push_back({std::stod(e.attr("x1")), std::stod(e.attr("y1"))});
        pts.push_back({std::stod(e.attr("x2")), std::stod(e.attr("y2"))});
    } else if (e.name == "polygon") {
        const auto v = numbersIn(e.attr("points"));
        for (std::size_t k = 0; k + 1 < v.size(); k += 2)
            pts.push_back({v[k], v[k + 1]});
    } else if (e.name == "ellipse") {
        const double cx = std::stod(e.attr("cx")), cy = std::stod(e.attr("cy"));
        const double rx = std::stod(e.attr("rx")), ry = std::stod(e.attr("ry"));
        const auto rot = numbersIn(e.attr("transform"));
        const double phi = (rot.empty() ? 0 : rot[0]) * 3.14159265358979323846 / 180;
        for (int k = 0; k <= 720; ++k) {
            const double t = k * 2 * 3.14159265358979323846 / 720;
            pts.push_back({cx + rx * std::cos(t) * std::cos(phi) - ry * std::sin(t) * std::sin(phi),
                           cy + rx * std::cos(t) * std::sin(phi) + ry * std::sin(t) * std::cos(phi)});
        }
    } else if (e.name == "path") {
        const std::string d = e.attr("d");
        std::size_t k = 0;
        P cur{0, 0};
        while (k < d.size()) {
            const char cmd = d[k];
            const std::size_t next = d.find_first_of("MLAZ", k + 1);
            const auto v = numbersIn(d.substr(k + 1, next == std::string::npos ? std::string::npos : next - k - 1));
            if (cmd == 'M' || cmd == 'L') {
                cur = {v.at(0), v.at(1)};
                pts.push_back(cur);
            } else if (cmd == 'A') {
                sampleSvgArc(cur.x, cur.y, v.at(0), v.at(1), v.at(2), v.at(3) != 0, v.at(4) != 0, v.at(5), v.at(6), pts);
                cur = {v.at(5), v.at(6)};
            }
            k = next == std::string::npos ? d.size() : next;
        }
    }
    return pts;
}

} // namespace quillet::test

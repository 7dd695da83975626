#pragma once
#include "program/CompleteInput.h"
#include "support/RunSupport.h"

namespace quillet::test {

/// An annotation at 1/100 (group 1) with text kind 3 (half width 1.5, height 3,
/// spacing 0.5), no frame margins, host colour "lc3" and host layer "ly4".
inline Session annotationAt(const std::string &p1, const std::string &p2, const std::string &p3)
{
    Session s = sessionFromExchange("annotation.jwc_temp.txt", Mode::Annotation);
    s.exchange.point1Line = "hp1 " + p1;
    s.exchange.point2Line = "hp2 " + p2;
    s.exchange.point3Line = "hp3 " + p3;
    s.form.Memo1 = {"W=300"};
    s.form.basic.CheckBox5 = true;
    s.form.basic.ComboBox1 = 1;
    s.form.basic.ComboBox3 = 5;
    s.form.ComboBoxEx3 = 4;
    return s;
}

/// The lines between the set-up lines ("lt", "ly") and the font record.
inline Lines drawn(const Lines &output)
{
    Lines out;
    for (std::size_t i = 2; i < output.size() && output[i].compare(0, 4, "cn\"$") != 0; ++i)
        out.push_back(output[i]);
    return out;
}

/// The text records of a run.
inline std::vector<TextRecord> texts(const Lines &output)
{
    std::vector<TextRecord> out;
    for (const auto &l : output)
        if (l.compare(0, 3, "ch ") == 0)
            out.push_back(textOf(l));
    return out;
}

} // namespace quillet::test

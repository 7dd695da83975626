// Time of one output run of a heavy annotation, computed in-process: five full lines
// of full-width text, bend point, closed solid arrow, tilt, rectangle frame and fill.
#include "base/Sjis.h"
#include "base/TextFile.h"
#include "exchange/ExchangeData.h"
#include "program/CompleteInput.h"
#include "program/Session.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace quillet;

int main(int argc, char **argv)
{
    const long runs = argc > 1 ? std::atol(argv[1]) : 20000;
    Session s;
    s.mode = Mode::Bend;
    s.exchangeList = readLines(std::string(QUILLET_SOURCE_DIR) + "/tests/fixtures/exchange/bend.jwc_temp.txt");
    readExchange(s.exchangeList, s.mode, s.exchange);
    s.exchange.point3Line = "hp3   6020.5 5810.25"; // a sloped direction, so the text is turned
    s.files.settingsList = Lines(30, "0");
    std::string line;
    while (line.size() < 70)
        line += sjis::fromUtf8("注");
    s.form.Memo1 = Lines(5, line);
    s.form.ComboBoxEx1 = 7;
    s.form.ComboBoxEx2 = 2;
    s.form.SpeedButton11 = true;
    s.form.SpeedButton10 = true;
    s.form.basic.ComboBox9 = 3;

    std::size_t lines = 0;
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < runs; ++i) {
        const RunResult r = computeOutput(s);
        lines += r.output.size();
        if (r.fault != RunFault::None) {
            std::fprintf(stderr, "run failed: %s\n", sjis::toUtf8(r.message).c_str());
            return 1;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("runs: %ld, output lines per run: %zu\n", runs, lines / std::size_t(runs));
    std::printf("time per run: %.2f us\n", seconds / double(runs) * 1e6);
    std::printf("time per output line: %.1f ns\n", seconds / double(lines) * 1e9);
    return 0;
}

// Arbitrary bytes as a capture file of either family: the reader must never crash, a refusal
// must name a line of the file (or the one after its end) unless it refuses the file as a whole,
// and whatever it takes must come back the same when written and read again.

#include "capturefiles.h"
#include "fuzzcheck.h"

#include <QString>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const int lines = text.count(QLatin1Char('\n')) + 1;
    for (int family : {CaptureFiles::Vr, CaptureFiles::Hxq}) {
        const CaptureFiles::StaticParse parse = CaptureFiles::parseStatic(text, family);
        if (!parse.ok()) {
            // A file of the other family, or no capture file at all, is refused as a whole.
            const bool whole = parse.problem == CaptureFiles::Problem::OtherFamily
                || parse.problem == CaptureFiles::Problem::NotCaptureFile;
            require(whole ? parse.line == 0 : parse.line >= 1 && parse.line <= lines + 1);
            require(parse.capture.values.isEmpty() && !CaptureFiles::describe(parse).isEmpty());
            continue;
        }
        const CaptureFiles::StaticCapture &taken = parse.capture;
        require(taken.settings.size() == CaptureFiles::settingsFieldCount(family));
        require(taken.names.size() == CaptureFiles::traceCount(family));
        require(taken.values.size() == CaptureFiles::traceCount(family));

        const QString again = CaptureFiles::formatStatic(taken, QStringLiteral("a"), QStringLiteral("b"));
        const CaptureFiles::StaticParse reparsed = CaptureFiles::parseStatic(again, family);
        require(reparsed.ok());
        require(reparsed.capture.settings == taken.settings);
        require(reparsed.capture.names == taken.names);
        require(reparsed.capture.values == taken.values);
    }
    return 0;
}

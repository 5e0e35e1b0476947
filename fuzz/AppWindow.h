#pragma once
// The main window over the unit tests' fakes, one per input, and what every door into it must
// leave behind: only the program's own errors escaping, and a window that still makes symbols.
// Its settings files are kept in memory: a folder made and removed per input took a third of
// the time.
#include <exception>

#include "FuzzCheck.h"
#include "MemoryPlatform.h"
#include "app/FakeServices.h"
#include "app/ZerboCode.h"
#include "core/Error.h"

namespace zerbo::fuzz {

inline TMemoryPlatform ProgramFiles() {
    TMemoryPlatform files;
    files.appDataFolder = u"/AppData";
    files.programFileName = u"/opt/zerbo/Zerbo.exe";
    files.majorVersion = 10;
    return files;
}

struct TFuzzWindow {
    TFuzzWindow() { z.FormCreate(); }
    TMemoryPlatform files = ProgramFiles();
    test::FakeZerboPeers peers;
    app::TZerboCode z{peers.servicesOver(files)};
};

// Runs a request as a platform boundary would: our Exception is what the user is shown;
// anything else would reach them as a foreign message, or end the program. True when nothing
// escaped.
template <class Body>
bool OnlyOwnErrors(Body&& body) {
    try {
        body();
        return true;
    } catch (const Exception&) {
        return false;
    } catch (...) {
        Fail("only the program's own exceptions escape");
    }
}

// Whatever came before, the window is not left stuck: no run is under way, and JAN with
// ordinary settings draws.
inline void ExpectAnswers(app::TZerboCode& z) {
    Expect(!z.Running, "no generation run is left under way");
    z.CdType.SetItemIndex(barcode::cbarJAN);
    z.ThinWd.SetItemIndex(0);
    z.Comnt.SetChecked(false);
    z.BarHeight.SetValue(50);
    z.LeftMargin.SetValue(10);
    z.TopMargin.SetValue(10);
    z.BarImage1.BarFont().SetSize(9);
    z.EditCode.SetText(u"490123456789");
    OnlyOwnErrors([&] { z.RB_Click(nullptr); });
    Expect(!z.BError && z.BarImage1.BarDisped(), "the window still draws JAN afterwards");
}

} // namespace zerbo::fuzz

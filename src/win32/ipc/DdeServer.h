#pragma once
// The DDE server other programs drive Zerbo through: one service, the topic "DdeZerboconv"
// and its item "DdeZerbocode". It runs in the ANSI code page, as the spreadsheets that are
// its clients do: a Unicode server gets their execute text mangled. Every execute is
// answered as accepted; its lines go to the window's macro.
#include <windows.h>
#include <ddeml.h>

#include <functional>
#include <string>
#include <vector>

#include "app/Services.h"
#include "win32/base/Handles.h"

namespace zerbo::win32 {

inline constexpr char16_t kDdeTopic[] = u"DdeZerboconv";
inline constexpr char16_t kDdeItem[] = u"DdeZerbocode";

// The service name: the program file's name without its folder, cut before its first ".".
std::u16string DdeServiceName(const std::u16string& programFileName);

class TDdeServer : public app::IDdeServer {
public:
    using TExecute = std::function<void(const std::vector<std::u16string>& lines)>;

    // Ready to serve; Register makes the service known to clients. `execute` shows what its
    // macro raises itself.
    TDdeServer(const std::u16string& service, TExecute execute);
    TDdeServer(const TDdeServer&) = delete;
    TDdeServer& operator=(const TDdeServer&) = delete;
    ~TDdeServer() override;

    void Register();
    bool DrawOnDeviceContext(uintptr_t dc, const gfx::TMetafileGraphic& metafile) override;

private:
    static HDDEDATA CALLBACK callback(UINT type, UINT format, HCONV conversation, HSZ topic, HSZ item,
                                      HDDEDATA data, ULONG_PTR, ULONG_PTR);
    HDDEDATA handle(UINT type, UINT format, HSZ hsz1, HSZ hsz2, HDDEDATA data);
    TDdeString makeString(const std::u16string& text) const;

    TExecute execute_;
    TDdeInstance instance_;
    TDdeString service_, topic_, item_;
    bool registered_ = false;
};

} // namespace zerbo::win32

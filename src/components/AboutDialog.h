#pragma once
// TAboutDlg: the program's icon and name, its version from its own version resource, the
// makers and two links.
#include <functional>
#include <string>

#include "components/Controls.h"
#include "components/URLLink.h"
#include "components/VersionInfo.h"

namespace zerbo {

// The project's own addresses, shown and opened by the about box.
inline constexpr char16_t kHomePage[] = u"https://zerbo.example.org/";
inline constexpr char16_t kMailAddress[] = u"zerbo@example.org";

class TAboutDlg : public TForm {
public:
    // `icon`: the program's icon; `programFile`: whose version is shown; `open`: the shell.
    TAboutDlg(const gfx::TPicture* icon, IVersionResource& versions, std::u16string programFile,
              std::function<void(const std::u16string&)> open);

    TPictureControl Image1{u"Image1"};
    TLabel Label1{u"Label1"};
    TLabel Label2{u"Label2"};
    TLabel Ver{u"Ver"};
    TLabel Label4{u"Label4"};
    TURLLink URLLink1{u"URLLink1"};
    TURLLink URLLink2{u"URLLink2"};
    TButton Button1{u"Button1"};

    void FormShow(TObject* Sender);

private:
    IVersionResource& versions_;
    std::u16string programFile_;
};

} // namespace zerbo

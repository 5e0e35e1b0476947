#include "components/AboutDialog.h"

namespace zerbo {

namespace {

template <auto Member>
constexpr auto M = &LayoutMember<Member>;
using D = TAboutDlg;

constexpr TLayoutEntry kLayout[] = {
    {M<&D::Image1>, nullptr, 8, 8, 32, 32, u""},
    {M<&D::Label1>, nullptr, 16, 44, 0, 0, u"Zerbo 開発チーム 2024-2026"},
    {M<&D::Label2>, nullptr, 112, 24, 0, 0, u"Version"},
    {M<&D::Ver>, nullptr, 160, 24, 0, 0, u"0.0.0.0"},
    {M<&D::Label4>, nullptr, 52, 12, 0, 0, u"Zerbo"},
    {M<&D::URLLink1>, nullptr, 12, 60, 193, 12, u""},
    {M<&D::URLLink2>, nullptr, 12, 76, 162, 12, u""},
    {M<&D::Button1>, nullptr, 72, 96, 75, 23, u"&OK"},
};

} // namespace

TAboutDlg::TAboutDlg(const gfx::TPicture* icon, IVersionResource& versions, std::u16string programFile,
                     std::function<void(const std::u16string&)> open)
    : TForm(u"AboutDlg"), versions_(versions), programFile_(std::move(programFile)) {
    SetCaption(u"Zerboについて");
    SetBounds(0, 0, 216, 123);
    StayOnTop = true;
    ApplyLayout(*this, kLayout);
    Image1.SetPicture(icon);
    Image1.SetBounds(8, 8, 32, 32);
    URLLink1.SetURLType(tpURL);
    URLLink1.SetLink(kHomePage);
    URLLink1.SetCaption(kHomePage);
    URLLink2.SetURLType(tpMAIL);
    URLLink2.SetLink(kMailAddress);
    URLLink2.SetCaption(u"mailto:" + std::u16string(kMailAddress));
    for (TURLLink* link : {&URLLink1, &URLLink2}) {
        link->SetEnableShowHint(false);
        link->OnOpen = open;
    }
    Button1.ModalResult = mrOk;
    Default = &Button1;
    Cancel = &Button1;
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TAboutDlg::FormShow(TObject*) { Ver.SetCaption(FileVersionText(versions_, programFile_)); }

} // namespace zerbo

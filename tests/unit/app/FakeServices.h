#pragma once
// The main window's services in memory, one fake per service: real files in a fresh folder
// standing for the application-data folder, an in-memory clipboard and viewer chain, and
// dialogs that answer what the test tells them. Everything the window asks is recorded.
// FakeZerboPlatform holds one of each and hands them to the window:
//
//   FakeZerboPlatform platform;
//   TZerboCode z(platform.services());
//   ... platform.dialogs.errors, platform.form.closes, platform.clipboard.Text() ...
#include <clocale>
#include <cwctype>
#include <functional>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include <locale.h>

#include "../components/FakeVersions.h"
#include "../components/TempDir.h"
#include "app/Services.h"
#include "components/PosixPlatform.h"

namespace zerbo::test {

class FakeChain : public IClipboardChain {
public:
    explicit FakeChain(int& joins) : joins_(joins) {}
    void Bind(TClipboardWatcher*) override {}
    TWindowHandle Join() override {
        ++joins_;
        return 0;
    }
    void Leave(TWindowHandle) override {}
    void Send(TWindowHandle, TMessage, std::uintptr_t, std::intptr_t) override {}

private:
    int& joins_;
};

class FakePlacement : public IIniForm {
public:
    TWindowPlacement placement{44, 0, 1, {-1, -1}, {-1, -1}, {100, 50, 467, 457}};
    TWindowPlacement GetPlacement() override { return placement; }
    void SetPlacement(const TWindowPlacement& p) override { placement = p; }
    int32_t Left() override { return placement.rcNormalPosition.left; }
    void SetLeft(int32_t) override {}
    int32_t Top() override { return placement.rcNormalPosition.top; }
    void SetTop(int32_t) override {}
    int32_t Width() override { return 367; }
    void SetWidth(int32_t) override {}
    int32_t Height() override { return 407; }
    void SetHeight(int32_t) override {}
};

class FakeApplication : public app::IApplication {
public:
    void ProcessMessages() override {
        ++messageRounds;
        if (onProcessMessages) onProcessMessages();
    }
    // The clock moves only while the thread sleeps.
    void Sleep(int32_t ms) override {
        sleeps.push_back(ms);
        clock += static_cast<uint32_t>(ms);
    }
    uint32_t TickCount() override { return clock; }
    // The C library's Unicode case mapping stands for the user's locale.
    std::u16string UpperCase(const std::u16string& text) override {
        static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        std::u16string upper = text;
        for (char16_t& c : upper)
            if ((c < 0xD800 || c > 0xDFFF) && utf8)
                c = static_cast<char16_t>(towupper_l(static_cast<wint_t>(c), utf8));
        return upper;
    }

    int messageRounds = 0;
    uint32_t clock = 0;
    std::function<void()> onProcessMessages;
    std::vector<int32_t> sleeps;
};

class FakeMainForm : public app::IMainForm {
public:
    IIniForm& Placement() override { return placement; }
    int ScreenPixelsPerInch() override { return 96; }
    void SetHeight(int32_t height) override { heights.push_back(height); }
    void SetStayOnTop(bool value) override { stayOnTop.push_back(value); }
    void Close() override { ++closes; }
    void Minimize() override { ++minimizes; }
    void Show() override { visible = true; }
    void Hide() override { visible = false; }
    bool ShowAtStart() const override { return showAtStart; }
    void SetShowAtStart(bool value) override { showAtStart = value; }

    FakePlacement placement;
    int closes = 0;
    int minimizes = 0;
    // As a window the application has not shown yet.
    bool visible = false;
    bool showAtStart = true;
    std::vector<int32_t> heights;
    std::vector<bool> stayOnTop;
};

class FakeDialogs : public app::IDialogs {
public:
    void ShowError(const std::u16string& message) override { errors.push_back(message); }
    bool MessageDlg(const std::u16string& text, const std::u16string& caption, app::TMsgButtons buttons,
                    app::TMsgIcon icon) override {
        boxes.push_back({text, caption, buttons, icon});
        return answer;
    }
    bool ExecuteFontDialog(gfx::TFont& font) override {
        ++fontDialogs;
        if (!answer) return false;
        font.Assign(fontChoice);
        return true;
    }
    bool ExecuteColorDialog(TColor& color) override {
        colorDialogStart.push_back(color);
        if (!answer) return false;
        color = colorChoice;
        return true;
    }
    // Shows the form (its OnShow), lets the test act as the user, and answers its result.
    // The user closes what is still open with the close box.
    int32_t ShowModal(TForm& form) override {
        ++modals;
        form.ModalResult = 0;
        if (form.OnShow) form.OnShow(&form);
        if (onModal) onModal(form);
        const int32_t result = form.ModalResult == 0 ? mrCancel : form.ModalResult;
        bool canClose = true;
        if (form.OnCloseQuery) form.OnCloseQuery(canClose);
        return result;
    }
    bool ExecuteSaveDialog(const app::TSaveDialogOptions& options, std::u16string& fileName) override {
        saveDialogs.push_back(options);
        if (!answer) return false;
        fileName = saveChoice;
        return true;
    }

    struct Box {
        std::u16string text, caption;
        app::TMsgButtons buttons;
        app::TMsgIcon icon;
    };

    // What every dialog answers: OK (Yes) with the choice below, or Cancel (No).
    bool answer = true;
    std::vector<std::u16string> errors;
    std::vector<Box> boxes;
    int fontDialogs = 0;
    gfx::TFont fontChoice;
    TColor colorChoice = 0;
    std::vector<TColor> colorDialogStart;
    std::vector<app::TSaveDialogOptions> saveDialogs;
    std::u16string saveChoice;
    int modals = 0;
    std::function<void(TForm&)> onModal;
};

class FakeShell : public app::IShell {
public:
    void ShellOpen(const std::u16string& fileName) override { opened.push_back(fileName); }
    void OpenLink(const std::u16string& target) override { links.push_back(target); }
    void HelpContents(const std::u16string& helpFile) override { helpFiles.push_back(helpFile); }
    const gfx::TPicture* ProgramIcon() override { return nullptr; }
    IVersionResource& Versions() override { return versions; }

    std::vector<std::u16string> opened;
    std::vector<std::u16string> links;
    std::vector<std::u16string> helpFiles;
    FakeVersions versions;
};

class FakeNotifyIcon : public app::INotifyIcon {
public:
    bool Visible() const override { return visible; }
    void SetVisible(bool value) override { visible = value; }
    bool visible = false;
};

class FakeDde : public app::IDdeServer {
public:
    bool DrawOnDeviceContext(uintptr_t dc, const gfx::TMetafileGraphic& metafile) override {
        drawn.push_back({dc, metafile.Width(), metafile.Height()});
        return true;
    }
    struct Drawing {
        uintptr_t dc;
        int width, height;
    };
    std::vector<Drawing> drawn;
};

class FakeAutomationHost : public app::IAutomationHost {
public:
    int LiveObjects() const override { return objects; }
    int objects = 0;
};

// A printer that keeps what is drawn on its page.
class FakePrinter : public app::IPrinter {
public:
    int PixelsPerInchX() override { return dpiX; }
    int PixelsPerInchY() override { return dpiY; }
    void BeginDoc() override { ++begun; }
    void EndDoc() override { ++ended; }
    void StretchDraw(const gfx::TGraphic& graphic, int32_t width, int32_t height) override {
        if (failDrawing) throw Exception(u"印刷できません");
        const bool metafile = dynamic_cast<const gfx::TMetafileGraphic*>(&graphic) != nullptr;
        drawn.push_back({metafile ? "metafile" : "bitmap", graphic.Width(), graphic.Height(), width, height});
    }
    void StretchDraw(const gfx::TBitmap24& pixels, int32_t width, int32_t height) override {
        drawn.push_back({"resampled", pixels.Width(), pixels.Height(), width, height});
        resampled = pixels;
    }
    void ExecuteSetupDialog() override { ++setups; }

    struct Drawing {
        std::string kind;
        int sourceWidth, sourceHeight, width, height;
    };
    int dpiX = 600, dpiY = 600;
    int begun = 0, ended = 0, setups = 0;
    bool failDrawing = false;
    std::vector<Drawing> drawn;
    gfx::TBitmap24 resampled;
};

// Every fake but the files, for windows whose files live elsewhere (the fuzz targets keep
// theirs in memory).
class FakeZerboPeers {
public:
    FakeZerboPeers() = default;
    FakeZerboPeers(const FakeZerboPeers&) = delete;
    FakeZerboPeers& operator=(const FakeZerboPeers&) = delete;

    app::TZerboServices servicesOver(IComponentPlatform& files) {
        return {files,
                gfx::NativeGraphics(),
                clipboard,
                [this] { return std::make_unique<FakeChain>(joins); },
                app,
                form,
                dialogs,
                shell,
                trayIcon,
                dde,
                automation,
                printer};
    }

    gfx::TMemoryClipboard clipboard;
    int joins = 0;
    FakeApplication app;
    FakeMainForm form;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeNotifyIcon trayIcon;
    FakeDde dde;
    FakeAutomationHost automation;
    FakePrinter printer;
};

class FakeZerboPlatform : public FakeZerboPeers {
public:
    FakeZerboPlatform() {
        files.appDataFolder = dir.file16("AppData");
        files.programFileName = u"/opt/zerbo/Zerbo.exe";
        files.majorVersion = 10;
    }

    app::TZerboServices services() { return servicesOver(files); }

    // The settings file the window uses.
    std::string iniPath() const { return dir.file("AppData/Zerbo/Zerbo.ini"); }
    void writeIni(const std::u16string& text) {
        std::filesystem::create_directories(dir.path() / "AppData" / "Zerbo");
        writeBytes(iniPath(), utf16File(text));
    }
    // The file as text (UTF-16LE with its mark).
    std::u16string readIni() const {
        const std::string bytes = readBytes(iniPath());
        std::u16string text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
        return text;
    }

    TempDir dir;
    TPosixPlatform files;
};

} // namespace zerbo::test

#pragma once
// The automation server: the class "Zerbo.Auto" served from the running program. Its
// objects implement IAuto (dual) over TAuto, with IDispatch from the type library embedded
// in Zerbo.exe; every start registers the class factory for multiple use in this thread's
// apartment. A start by COM for a client ends when the last object is released.
#include <windows.h>

#include <functional>
#include <string>

#include "app/Services.h"
#include "app/ZerboCode.h"
#include "win32/base/Handles.h"

struct ITypeInfo;

namespace zerbo::win32 {

// Registers the class, its ProgID and the type library under the user's classes (the
// machine's when the program runs elevated), or removes all of it. Raises the platform's
// error when the registry refuses.
void RegisterAutomationServer();
void UnregisterAutomationServer();

class TComServer : public app::IAutomationHost {
public:
    // `automationStart`: COM started the program for a client; the last release then calls
    // `lastReleased`.
    TComServer(bool automationStart, std::function<void()> lastReleased);
    TComServer(const TComServer&) = delete;
    TComServer& operator=(const TComServer&) = delete;
    ~TComServer() override;

    // Serves clients from now on, with objects over this window.
    void Start(app::TZerboCode& window, app::IMainForm& form);

    int LiveObjects() const override { return objects_; }

    // For the objects and the factory.
    void AddObject() { ++objects_; }
    void ReleaseObject();
    ITypeInfo* TypeInfo() const { return typeInfo_.Get(); }
    app::TZerboCode& Window() const { return *window_; }
    app::IMainForm& Form() const { return *form_; }

private:
    bool automationStart_;
    std::function<void()> lastReleased_;
    int objects_ = 0;
    app::TZerboCode* window_ = nullptr;
    app::IMainForm* form_ = nullptr;
    TComPtr<ITypeInfo> typeInfo_;
    TComPtr<IUnknown> factory_;
    TClassRegistration registration_;
};

} // namespace zerbo::win32

#pragma once
// The owned-component base: a name, a tag, events made of a handler and a sender, and one
// observer that a view attaches to mirror the component's state on the screen. Components
// share TObject and its TNotifyEvent with the barcode component, so one window can hold both.
#include <cstdint>
#include <functional>
#include <string>

#include "core/Notify.h"

namespace zerbo {

class TComponent;

// What changed in a component, so that a view can mirror just that.
enum class TChange { Text, Checked, Down, ItemIndex, Items, Selection, Enabled, Visible, Bounds, Paint, Page };

class IChangeObserver {
public:
    virtual ~IChangeObserver() = default;
    virtual void Changed(TComponent& component, TChange what) = 0;
};

class TComponent : public TObject {
public:
    explicit TComponent(std::u16string name) : Name(std::move(name)) {}

    std::u16string Name;
    int32_t Tag = 0;

    IChangeObserver* Observer() const { return FObserver; }
    void SetObserver(IChangeObserver* observer) { FObserver = observer; }

protected:
    void Changed(TChange what) {
        if (FObserver) FObserver->Changed(*this, what);
    }

private:
    IChangeObserver* FObserver = nullptr;
};

} // namespace zerbo

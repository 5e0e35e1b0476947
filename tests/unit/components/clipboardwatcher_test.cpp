// TClipboardWatcher over a viewer chain in memory that keeps the platform's protocol: the
// head gets each notification, every viewer passes it to the window it keeps as next, and
// a leaving window is announced to the head.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "components/ClipboardWatcher.h"
#include "core/Error.h"

namespace zerbo {
namespace {

using TMessage = IClipboardChain::TMessage;

class FakeSystem {
public:
    using Receiver = std::function<void(TMessage, std::uintptr_t, std::intptr_t)>;

    // The platform greets a joining viewer with a notification, as the real one does.
    bool notifyOnJoin = true;
    TWindowHandle head = 0;
    int joins = 0, leaves = 0;

    TWindowHandle CreateWindow(Receiver receiver) {
        windows_[++lastHandle_] = std::move(receiver);
        return lastHandle_;
    }
    void DestroyWindow(TWindowHandle h) { windows_.erase(h); }
    void Deliver(TWindowHandle to, TMessage m, std::uintptr_t w, std::intptr_t l) {
        const auto it = windows_.find(to);
        if (it != windows_.end()) it->second(m, w, l);
    }
    TWindowHandle SetClipboardViewer(TWindowHandle h) {
        ++joins;
        const TWindowHandle next = head;
        head = h;
        if (notifyOnJoin) Deliver(h, TMessage::DrawClipboard, 0, 0);
        return next;
    }
    void ChangeClipboardChain(TWindowHandle h, TWindowHandle next) {
        ++leaves;
        if (head == h) head = next;
        else Deliver(head, TMessage::ChangeCBChain, h, static_cast<std::intptr_t>(next));
    }
    void ClipboardChanged() { Deliver(head, TMessage::DrawClipboard, 0, 0); }

private:
    std::map<TWindowHandle, Receiver> windows_;
    TWindowHandle lastHandle_ = 100;
};

class FakeChain : public IClipboardChain {
public:
    explicit FakeChain(FakeSystem& system) : system_(system) {
        own_ = system.CreateWindow([this](TMessage m, std::uintptr_t w, std::intptr_t l) {
            if (!watcher_) return;
            if (m == TMessage::DrawClipboard) watcher_->WMDrawClipboard(w, l);
            else watcher_->WMChangeCBChain(w, l);
        });
    }
    ~FakeChain() override { system_.DestroyWindow(own_); }
    TWindowHandle Own() const { return own_; }

    void Bind(TClipboardWatcher* watcher) override { watcher_ = watcher; }
    TWindowHandle Join() override { return system_.SetClipboardViewer(own_); }
    void Leave(TWindowHandle next) override { system_.ChangeClipboardChain(own_, next); }
    void Send(TWindowHandle to, TMessage m, std::uintptr_t w, std::intptr_t l) override {
        system_.Deliver(to, m, w, l);
    }

private:
    FakeSystem& system_;
    TWindowHandle own_ = 0;
    TClipboardWatcher* watcher_ = nullptr;
};

// Another program's viewer that keeps the protocol by the book.
struct PlainViewer {
    FakeSystem& system;
    TWindowHandle own = 0, next = 0;
    int draws = 0;
    explicit PlainViewer(FakeSystem& s) : system(s) {
        own = s.CreateWindow([this](TMessage m, std::uintptr_t w, std::intptr_t l) {
            if (m == TMessage::DrawClipboard) {
                ++draws;
                system.Deliver(next, m, w, l);
            } else if (w == next) {
                next = static_cast<TWindowHandle>(l);
            } else {
                system.Deliver(next, m, w, l);
            }
        });
        const bool greet = s.notifyOnJoin;
        s.notifyOnJoin = false;
        next = s.SetClipboardViewer(own);
        s.notifyOnJoin = greet;
    }
};

class ClipboardWatcherTest : public testing::Test {
protected:
    struct Watched {
        std::unique_ptr<TClipboardWatcher> watcher;
        TWindowHandle own = 0;
        int changes = 0;
        TNotifyEvent handler() {
            return [this](TObject* sender) {
                EXPECT_EQ(sender, watcher.get());
                ++changes;
            };
        }
    };

    std::unique_ptr<Watched> make() {
        auto w = std::make_unique<Watched>();
        auto chain = std::make_unique<FakeChain>(system);
        w->own = chain->Own();
        w->watcher = std::make_unique<TClipboardWatcher>(std::move(chain),
                                                         [this](const std::u16string& m) { errors.push_back(m); });
        return w;
    }

    FakeSystem system;
    std::vector<std::u16string> errors;
};

TEST_F(ClipboardWatcherTest, ItIsInTheChainExactlyWhileEnabledWithAHandler) {
    auto w = make();
    EXPECT_TRUE(w->watcher->Enabled());
    EXPECT_FALSE(w->watcher->Registered());
    system.ClipboardChanged();  // enabled without a handler: nothing is observed
    EXPECT_EQ(system.joins, 0);

    w->watcher->SetEnabled(false);
    w->watcher->SetOnChange(w->handler());  // a handler while disabled does not join
    EXPECT_FALSE(w->watcher->Registered());
    EXPECT_EQ(system.joins, 0);
    w->watcher->SetEnabled(true);
    EXPECT_TRUE(w->watcher->Registered());
    EXPECT_EQ(system.head, w->own);
    w->watcher->SetEnabled(true);  // no change, no second join
    EXPECT_EQ(system.joins, 1);

    w->watcher->SetOnChange(nullptr);
    EXPECT_FALSE(w->watcher->Registered());
    EXPECT_EQ(system.leaves, 1);
    EXPECT_EQ(system.head, 0u);
    EXPECT_EQ(w->changes, 0);  // the greeting on joining is not a change
}

TEST_F(ClipboardWatcherTest, RejoiningKeepsTheNextViewerReturnedByTheNewJoin) {
    PlainViewer other(system);
    auto w = make();
    w->watcher->SetOnChange(w->handler());
    EXPECT_EQ(w->watcher->NextWindowHandle(), other.own);
    w->watcher->SetEnabled(false);
    PlainViewer later(system);  // joins while the watcher is out
    w->watcher->SetEnabled(true);
    EXPECT_EQ(w->watcher->NextWindowHandle(), later.own);
    system.ClipboardChanged();
    EXPECT_EQ(w->changes, 1);
    EXPECT_EQ(later.draws, 1);
    EXPECT_EQ(other.draws, 1);
}

TEST_F(ClipboardWatcherTest, EveryViewerSeesAChangeAndTheChainIsRepairedWhenOneLeaves) {
    PlainViewer last(system);
    auto w1 = make(), w2 = make(), w3 = make();
    for (auto* w : {w1.get(), w2.get(), w3.get()}) w->watcher->SetOnChange(w->handler());
    // head w3 -> w2 -> w1 -> last
    system.ClipboardChanged();
    for (auto* w : {w1.get(), w2.get(), w3.get()}) EXPECT_EQ(w->changes, 1);
    EXPECT_EQ(last.draws, 1);

    // w1 leaves: the head passes the news on until w2, whose next it was, takes w1's next.
    w1->watcher->SetEnabled(false);
    EXPECT_EQ(w2->watcher->NextWindowHandle(), last.own);
    EXPECT_EQ(w3->watcher->NextWindowHandle(), w2->own);
    system.ClipboardChanged();
    EXPECT_EQ(w1->changes, 1);
    EXPECT_EQ(w2->changes, 2);
    EXPECT_EQ(w3->changes, 2);
    EXPECT_EQ(last.draws, 2);

    // The head leaves by going away.
    w3.reset();
    EXPECT_EQ(system.head, w2->own);
    system.ClipboardChanged();
    EXPECT_EQ(w2->changes, 3);
    EXPECT_EQ(last.draws, 3);
}

TEST_F(ClipboardWatcherTest, AHandlerErrorIsShownOnceAndSkipsForwardingThatChangeOnly) {
    PlainViewer last(system);
    auto w = make();
    int calls = 0;
    w->watcher->SetOnChange([&](TObject*) {
        if (++calls == 1) throw EConvertError(u"''x'' は整数ではありません");
    });
    system.ClipboardChanged();
    EXPECT_EQ(errors, std::vector<std::u16string>{u"''x'' は整数ではありません"});
    EXPECT_EQ(last.draws, 0);
    EXPECT_TRUE(w->watcher->Registered());
    system.ClipboardChanged();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(last.draws, 1);
    EXPECT_EQ(errors.size(), 1u);

    w->watcher->SetOnChange([](TObject*) { throw std::runtime_error("disk full"); });
    system.ClipboardChanged();
    w->watcher->SetOnChange([](TObject*) { throw 42; });
    system.ClipboardChanged();
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[1], u"disk full");
    EXPECT_FALSE(errors[2].empty());
}

TEST_F(ClipboardWatcherTest, AHandlerThatStepsOutAroundItsOwnWriteRunsOncePerChange) {
    // As the watch mode does: disable, write to the clipboard, enable. The greeting of
    // the rejoin must not come back into the handler.
    PlainViewer last(system);
    auto w = make();
    int depth = 0, maxDepth = 0;
    w->watcher->SetOnChange([&](TObject*) {
        ++w->changes;
        maxDepth = std::max(maxDepth, ++depth);
        w->watcher->SetEnabled(false);
        w->watcher->SetEnabled(true);
        --depth;
    });
    system.ClipboardChanged();
    EXPECT_EQ(w->changes, 1);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_EQ(last.draws, 1);  // and the change still went on down the chain
    EXPECT_EQ(w->watcher->NextWindowHandle(), last.own);
}

TEST_F(ClipboardWatcherTest, DestroyingTheWatcherLeavesTheChain) {
    PlainViewer last(system);
    auto w = make();
    w->watcher->SetOnChange(w->handler());
    w->watcher.reset();
    EXPECT_EQ(system.leaves, 1);
    EXPECT_EQ(system.head, last.own);
    system.ClipboardChanged();
    EXPECT_EQ(last.draws, 1);
}

} // namespace
} // namespace zerbo

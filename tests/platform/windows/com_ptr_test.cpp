#include "platform/windows/com_ptr.h"

#include <gtest/gtest.h>
#include <unknwn.h>

namespace kestrel::windows {
namespace {

// Counts the references handed out to it, as a COM object would.
class CountedObject : public IUnknown {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    ULONG references = 0;
};

// Hands out a new reference the way a COM call fills an out-parameter.
void handOut(CountedObject& object, IUnknown** out) {
    object.AddRef();
    *out = &object;
}

TEST(ComPtr, ReleasesItsReferenceWhenItGoes) {
    CountedObject object;
    {
        ComPtr<IUnknown> pointer;
        handOut(object, pointer.put());
        EXPECT_EQ(object.references, 1u);
    }
    EXPECT_EQ(object.references, 0u);
}

TEST(ComPtr, FillingItAgainReleasesTheEarlierReference) {
    CountedObject first;
    CountedObject second;
    ComPtr<IUnknown> pointer;
    handOut(first, pointer.put());
    handOut(second, pointer.put());
    EXPECT_EQ(first.references, 0u);
    EXPECT_EQ(second.references, 1u);
    pointer.reset();
    EXPECT_EQ(second.references, 0u);
    EXPECT_FALSE(pointer);
}

TEST(ComPtr, MovingHandsOverTheReferenceWithoutReleasingIt) {
    CountedObject object;
    CountedObject other;
    ComPtr<IUnknown> source;
    handOut(object, source.put());
    ComPtr<IUnknown> constructed(std::move(source));
    EXPECT_EQ(object.references, 1u);
    EXPECT_FALSE(source);

    ComPtr<IUnknown> assigned;
    handOut(other, assigned.put());
    assigned = std::move(constructed);
    EXPECT_EQ(other.references, 0u) << "the reference it held is released";
    EXPECT_EQ(object.references, 1u);
    EXPECT_EQ(assigned.get(), &object);
}

}  // namespace
}  // namespace kestrel::windows

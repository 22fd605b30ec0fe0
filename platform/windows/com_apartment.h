#pragma once

namespace kestrel::windows {

// COM on the calling thread for as long as the object lives. A thread that already joined
// an apartment (a GUI toolkit's thread does) is used as it is and left so.
class ComApartment {
  public:
    ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment();

  private:
    bool mustUninitialise_ = false;
};

}  // namespace kestrel::windows

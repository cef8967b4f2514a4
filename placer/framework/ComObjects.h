#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

#include <windows.h>

// Reference-counted interface objects: interface identifiers, the smart pointer TComPtr and the
// helper base TInterfacedObject that implements IUnknown for the classes of the host and the
// plug-in.
//
// Every interface of this system declares its identifier,
//   static constexpr GUID Iid = MakeGuid("{...}");
// and an interface that derives from another interface than IUnknown also names that base,
//   using TBaseInterface = IServerView;
// so that an object answers a query for the base as well.

namespace ComDetail {

consteval uint32_t HexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return static_cast<uint32_t>(c - '0');
  }
  if (c >= 'A' && c <= 'F') {
    return static_cast<uint32_t>(c - 'A' + 10);
  }
  if (c >= 'a' && c <= 'f') {
    return static_cast<uint32_t>(c - 'a' + 10);
  }
  throw "a GUID holds hexadecimal digits only";  // stops the compilation
}

consteval uint32_t HexNumber(const char* text, int first, int count) {
  uint32_t value = 0;
  for (int i = first; i < first + count; ++i) {
    value = value * 16 + HexDigit(text[i]);
  }
  return value;
}

}  // namespace ComDetail

// A GUID from its registry form "{4C11EF71-6297-4E2B-90D1-7F5F1A9E2ADE}", checked while compiling.
consteval GUID MakeGuid(const char (&text)[39]) {
  if (text[0] != '{' || text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-' ||
      text[37] != '}') {
    throw "a GUID is written {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
  }
  GUID guid{};
  guid.Data1 = ComDetail::HexNumber(text, 1, 8);
  guid.Data2 = static_cast<WORD>(ComDetail::HexNumber(text, 10, 4));
  guid.Data3 = static_cast<WORD>(ComDetail::HexNumber(text, 15, 4));
  guid.Data4[0] = static_cast<BYTE>(ComDetail::HexNumber(text, 20, 2));
  guid.Data4[1] = static_cast<BYTE>(ComDetail::HexNumber(text, 22, 2));
  for (int i = 0; i < 6; ++i) {
    guid.Data4[2 + i] = static_cast<BYTE>(ComDetail::HexNumber(text, 25 + 2 * i, 2));
  }
  return guid;
}

// The identifier of interface I.
template <class I>
constexpr const GUID& InterfaceIdOf() {
  if constexpr (std::is_same_v<I, IUnknown>) {
    return IID_IUnknown;
  } else {
    return I::Iid;
  }
}

namespace ComDetail {

template <class I>
struct TBaseInterfaceOf {
  using Type = IUnknown;
};

template <class I>
requires requires {
  typename I::TBaseInterface;
}
struct TBaseInterfaceOf<I> {
  using Type = typename I::TBaseInterface;
};

// Matches `iid` against Wanted and its base interfaces; the pointer handed out is `self` reached
// through Listed, the listed interface that derives from Wanted.
template <class Listed, class Wanted, class Self>
bool FindInterface(Self* self, REFIID iid, void** object) {
  if constexpr (std::is_same_v<Wanted, IUnknown>) {
    return false;
  } else {
    if (iid == InterfaceIdOf<Wanted>()) {
      *object = static_cast<Wanted*>(static_cast<Listed*>(self));
      return true;
    }
    return FindInterface<Listed, typename TBaseInterfaceOf<Wanted>::Type>(self, iid, object);
  }
}

template <class... Listed, class Self>
bool FindListedInterface(Self* self, REFIID iid, void** object) {
  return (FindInterface<Listed, Listed>(self, iid, object) || ...);
}

template <class First, class...>
struct TFirst {
  using Type = First;
};

}  // namespace ComDetail

// A counted reference to an interface (or to an object with AddRef/Release). Copying adds a
// reference, destruction releases it.
template <class T>
class TComPtr {
 public:
  TComPtr() noexcept = default;
  TComPtr(std::nullptr_t) noexcept {}
  // Takes a reference of its own to `object`.
  TComPtr(T* object) noexcept : Ptr(object) { AddReference(); }
  TComPtr(const TComPtr& other) noexcept : Ptr(other.Ptr) { AddReference(); }
  TComPtr(TComPtr&& other) noexcept : Ptr(std::exchange(other.Ptr, nullptr)) {}
  template <class U>
  requires std::is_convertible_v<U*, T*> TComPtr(const TComPtr<U>& other)
  noexcept : Ptr(other.Get()) { AddReference(); }
  ~TComPtr() { Reset(); }

  TComPtr& operator=(const TComPtr& other) noexcept {
    TComPtr(other).Swap(*this);
    return *this;
  }
  TComPtr& operator=(TComPtr&& other) noexcept {
    TComPtr(std::move(other)).Swap(*this);
    return *this;
  }
  TComPtr& operator=(std::nullptr_t) noexcept {
    Reset();
    return *this;
  }

  // Takes over a reference that the caller already owns (a fresh object, an out-parameter).
  static TComPtr Adopt(T* object) noexcept {
    TComPtr result;
    result.Ptr = object;
    return result;
  }

  T* Get() const noexcept { return Ptr; }
  T* operator->() const noexcept { return Ptr; }
  T& operator*() const noexcept { return *Ptr; }
  explicit operator bool() const noexcept { return Ptr != nullptr; }

  // Gives up the reference without releasing it.
  T* Detach() noexcept { return std::exchange(Ptr, nullptr); }
  void Reset() noexcept {
    if (T* old = std::exchange(Ptr, nullptr)) {
      old->Release();
    }
  }
  void Swap(TComPtr& other) noexcept { std::swap(Ptr, other.Ptr); }

  // For out-parameters of interface operations: releases the current reference and returns the slot
  // that receives the new one.
  T** Put() noexcept {
    Reset();
    return &Ptr;
  }

  // The object as interface I: a null pointer when it does not provide I (or is null itself).
  template <class I>
  TComPtr<I> As() const noexcept {
    TComPtr<I> result;
    if (Ptr != nullptr) {
      Ptr->QueryInterface(InterfaceIdOf<I>(), reinterpret_cast<void**>(result.Put()));
    }
    return result;
  }

  friend bool operator==(const TComPtr& a, const TComPtr& b) noexcept { return a.Ptr == b.Ptr; }
  friend bool operator==(const TComPtr& a, std::nullptr_t) noexcept { return a.Ptr == nullptr; }

 private:
  void AddReference() noexcept {
    if (Ptr != nullptr) {
      Ptr->AddRef();
    }
  }

  T* Ptr = nullptr;
};

// `object` as interface I, for raw interface pointers (a command's context, for example).
template <class I, class T>
TComPtr<I> QueryInterfaceAs(T* object) noexcept {
  TComPtr<I> result;
  if (object != nullptr) {
    object->QueryInterface(InterfaceIdOf<I>(), reinterpret_cast<void**>(result.Put()));
  }
  return result;
}

// The getter of an interface property: hands a counted reference to `object` (null allowed)
// through `out`, or answers E_POINTER for a null `out`.
template <class I>
HRESULT HandOutInterface(std::type_identity_t<I>* object, I** out) noexcept {
  if (out == nullptr) {
    return E_POINTER;
  }
  *out = TComPtr<I>(object).Detach();
  return S_OK;
}

// Implements IUnknown for a class that provides the listed interfaces: queries for IUnknown, for
// each listed interface and for the interfaces it derives from succeed, everything else gives
// E_NOINTERFACE. The object is born with one reference, which MakeComObject hands to its caller, so
// that references taken and dropped during construction cannot free it; the last Release frees it.
// Create such objects with MakeComObject only.
template <class... Interfaces>
class TInterfacedObject : public Interfaces... {
  static_assert(sizeof...(Interfaces) > 0, "list at least one interface");

 public:
  TInterfacedObject() = default;
  TInterfacedObject(const TInterfacedObject&) = delete;
  TInterfacedObject& operator=(const TInterfacedObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) {
      return E_POINTER;
    }
    *object = nullptr;
    if (iid == IID_IUnknown) {
      *object = static_cast<typename ComDetail::TFirst<Interfaces...>::Type*>(this);
    } else {
      ComDetail::FindListedInterface<Interfaces...>(this, iid, object);
    }
    if (*object == nullptr) {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }

  ULONG STDMETHODCALLTYPE AddRef() override { return ++ReferenceCount; }

  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG remaining = --ReferenceCount;
    if (remaining == 0) {
      delete this;
    }
    return remaining;
  }

  ULONG GetReferenceCount() const { return ReferenceCount; }

 protected:
  virtual ~TInterfacedObject() = default;

 private:
  ULONG ReferenceCount = 1;
};

// Adds interfaces to a class that already implements IUnknown through TInterfacedObject, for a
// descendant that provides interfaces of its own beyond those of its base class:
//   class TPlacerDocument : public TInterfacedExtension<TServerDocument, IPlacerDocument> { ... };
// Queries for the added interfaces are answered here, all others by the base; the reference count
// is the base's.
template <class TBase, class... Added>
class TInterfacedExtension : public TBase, public Added... {
 public:
  using TBase::TBase;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) {
      return E_POINTER;
    }
    *object = nullptr;
    if (ComDetail::FindListedInterface<Added...>(this, iid, object)) {
      AddRef();
      return S_OK;
    }
    return TBase::QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return TBase::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return TBase::Release(); }
};

// Creates a reference-counted object and hands its first reference to the caller.
template <class TObject, class... Args>
TComPtr<TObject> MakeComObject(Args&&... args) {
  return TComPtr<TObject>::Adopt(new TObject(std::forward<Args>(args)...));
}

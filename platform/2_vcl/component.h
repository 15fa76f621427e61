// Components: objects with an owner and a name. The owner destroys what it owns, last created
// first; a component destroyed on its own leaves its owner; free notification tells a component
// that another one it points at is going. Not here: parents, focus (control.h), forms (form.h).
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vcl {

// A misuse of a component: a name that is taken or not an identifier.
class EComponentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An operation the current state forbids: focusing a disabled control, showing a visible form
// modally.
class EInvalidOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Names compare ignoring case, with the Spanish capitals folded too ("Ñ" matches "ñ").
bool SameName(std::string_view a, std::string_view b);

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // Run by Create() once the most derived constructor has finished (forms raise OnCreate).
    virtual void AfterConstruction() {}
    // Run by Free() while the object is still whole (forms raise OnDestroy, components destroy
    // what they own), before the destructors.
    virtual void BeforeDestruction() {}

    // BeforeDestruction, then delete. Use it (or FreePtr, or the owner) for heap objects;
    // a plain delete is safe too but skips BeforeDestruction's events.
    void Free();
};

inline void Free(TObject* obj) {
    if (obj) obj->Free();
}

struct Freer {
    void operator()(TObject* obj) const { Free(obj); }
};
template <class T>
using FreePtr = std::unique_ptr<T, Freer>;

// new T(args...) followed by AfterConstruction: how forms are made, so that OnCreate runs
// after the dialog's own constructor has placed its controls.
template <class T, class... Args>
T* Create(Args&&... args) {
    T* obj = new T(std::forward<Args>(args)...);
    try {
        obj->AfterConstruction();
    } catch (...) {
        obj->Free();
        throw;
    }
    return obj;
}

enum TOperation { opInsert, opRemove };

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    void BeforeDestruction() override;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    // Throws EComponentError when the name is not an identifier or another component of the
    // same owner already has it (ignoring case). An empty name is allowed and never found.
    void SetName(std::string_view name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(index); }
    int ComponentIndex() const;
    // A component this one owns directly, by name ignoring case; nullptr when none.
    TComponent* FindComponent(std::string_view name) const;

    // Take over (or give up) ownership; the owner and the other owned components are told.
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Destroys every owned component, the last created first.
    void DestroyComponents();

    // `component` will be told (Notification opRemove) when this one is destroyed, and this
    // one when `component` is. Components of the same owner are told anyway.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // True from the start of destruction: controls raise no events while it holds.
    bool Destroying() const { return destroying_; }
    // Design time: property setters that check paths only there (a component placed in a
    // form designer) look at it. Off in a running program.
    bool Designing() const { return designing_; }
    void SetDesigning(bool designing) { designing_ = designing; }

protected:
    // Told when `component` joins its owner (opInsert, to the owner only) or is about to be
    // destroyed (opRemove, to its owner, the owner's other components and the free
    // notification list). Overrides drop their pointers to it.
    virtual void Notification(TComponent* component, TOperation operation);

private:
    void Destroy();
    void Detach(TComponent* component, const std::vector<TComponent*>& alreadyTold);

    TComponent* owner_ = nullptr;
    std::string name_;
    int tag_ = 0;
    bool destroying_ = false;
    bool designing_ = false;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
};

}  // namespace vcl

// TComponent (ownership, names, states, notifications) and the registry of classes by name.
#pragma once

#include <vector>

#include "package/framework/base/props.h"

namespace jox {

enum TComponentStateFlag : Word {
  csLoading = 1, csReading = 2, csWriting = 4, csDestroying = 8, csDesigning = 16, csAncestor = 32,
  csUpdating = 64, csFixups = 128, csFreeNotification = 256, csInline = 512, csDesignInstance = 1024
};
using TComponentState = TSet<TComponentStateFlag, Word, false>;
JOX_SET_OPERATORS(TComponentState, TComponentStateFlag)

enum TOperation : uint8_t { opInsert, opRemove };

JOX_DECLARE_EXCEPTION(EComponentError, Exception);

class TComponent : public TPersistent {
 public:
  // With an owner, the owner deletes this component (components in reverse creation order).
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  Integer ComponentCount() const { return Integer(FComponents.size()); }
  TComponent* Components(Integer Index) const;  // nullptr out of range
  Integer ComponentIndex() const;               // position in the owner's list, -1 without owner
  // Case-insensitive search among the owned components; nullptr when absent or Name is empty.
  TComponent* FindComponent(const String& AName) const;
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Deletes the owned components now, last created first.
  void DestroyComponents();

  // Name: "" by default. Must be an identifier and unique among the owner's components
  // (EComponentError "'x' is not a valid component name" / "A component named X already exists").
  const String& Name() const { return FName; }
  virtual void SetName(const String& NewName);
  intptr_t Tag() const { return FTag; }
  void SetTag(intptr_t Value) { FTag = Value; }

  TComponentState ComponentState() const { return FComponentState; }
  // Tests and the form reader set and clear states directly.
  void IncludeState(TComponentStateFlag Flag) { FComponentState.bits |= Flag; }
  void ExcludeState(TComponentStateFlag Flag) { FComponentState.bits &= Word(~Flag); }
  // Puts this component and (by default) everything it owns into or out of the designing state.
  void SetDesigning(bool Value, bool SetChildren = true);
  // Called once all stored properties are read; the base clears csLoading.
  virtual void Loaded();

  // Asks AComponent to call Notification(this, opRemove) on this component when it is deleted
  // (for references to components that are not owned).
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // The component this one sits in (a control's parent), for form files; none by default.
  virtual TComponent* GetParentComponent() const { return nullptr; }
  // Called by the form reader with the component whose block held this one's.
  virtual void SetParentComponent(TComponent* Value) {}
  // The components whose blocks the form writer nests inside this one's, in the order they are to be read
  // back (a control's children in z-order). Only components Root owns are listed. The base lists Root's
  // components that name this one as their parent component.
  virtual void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const;
  // Where this component sits now, for a form read that fails to put back: Parent restores its parent
  // component, Order (run once every parent is back) the order of its children. Either may be empty.
  struct TPlace {
    std::function<void()> Parent, Order;
  };
  virtual TPlace KeepPlace() const { return {}; }

  JOX_CLASS_TABLE

 protected:
  // Told about components inserted into or removed from the owner, and about deleted free-notifiers.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // First step of destruction: sets csDestroying on this and the owned components.
  virtual void Destroying();
  // Allows a derived destructor to call Destroying earlier without repeating it.
  bool DestroyingCalled() const { return FComponentState.Contains(csDestroying); }

 private:
  void NotifyAll(TComponent* AComponent, TOperation Operation);

  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  String FName;
  intptr_t FTag = 0;
  TComponentState FComponentState;
};

bool IsValidIdent(const String& Ident);

// [registry] -------------------------------------------------------------------
// Classes by name for form reading and the gallery. Registering a name twice keeps the first.
void RegisterClass(const TClassInfo& Info);
template <class T>
void RegisterClass() { RegisterClass(T::ClassInfo()); }
void UnRegisterClass(const TClassInfo& Info);
const TClassInfo* GetClass(const String& ClassName);   // nullptr when unknown
const TClassInfo& FindClass(const String& ClassName);  // EClassNotFound "Class X not found"
// Creates a registered component class by name (EClassNotFound for unknown or non-component classes).
TComponent* CreateComponent(const String& ClassName, TComponent* AOwner);

}  // namespace jox

// Components and the class registry.
#include "package/framework/base/component.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace jox {

// [components] -----------------------------------------------------------------
TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  if (!DestroyingCalled()) Destroying();
  // Whoever asked to hear of our end forgets us now. One at a time from the live list: a handler may
  // free another listener, whose own end takes it off this list before we would reach it.
  while (!FFreeNotifies.empty()) {
    TComponent* c = FFreeNotifies.front();  // in the order they asked
    FFreeNotifies.erase(FFreeNotifies.begin());
    auto& back = c->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    c->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::Destroying() {
  IncludeState(csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* last = FComponents.back();
    RemoveComponent(last);
    delete last;
  }
}

TComponent* TComponent::Components(Integer Index) const {
  if (Index < 0 || Index >= ComponentCount()) return nullptr;
  return FComponents[size_t(Index)];
}

Integer TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : Integer(it - list.begin());
}

TComponent* TComponent::FindComponent(const String& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, AName)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner == this) return;
  if (!AComponent->FName.empty() && FindComponent(AComponent->FName))
    throw EComponentError(u"A component named " + AComponent->FName + u" already exists");
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
  NotifyAll(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner != this) return;
  NotifyAll(AComponent, opRemove);
  FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), AComponent), FComponents.end());
  AComponent->FOwner = nullptr;
}

void TComponent::NotifyAll(TComponent* AComponent, TOperation Operation) {
  Notification(AComponent, Operation);
  // Index loop: a handler may change the list.
  for (size_t i = 0; i < FComponents.size(); ++i)
    if (FComponents[i] != AComponent) FComponents[i]->Notification(AComponent, Operation);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {}

bool IsValidIdent(const String& Ident) {
  if (Ident.empty()) return false;
  auto alpha = [](char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_'; };
  if (!alpha(Ident[0])) return false;
  return std::all_of(Ident.begin() + 1, Ident.end(),
                     [&](char16_t c) { return alpha(c) || (c >= u'0' && c <= u'9'); });
}

void TComponent::SetName(const String& NewName) {
  if (NewName == FName) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError(u"'" + NewName + u"' is not a valid component name");
  if (FOwner && !NewName.empty()) {
    TComponent* other = FOwner->FindComponent(NewName);
    if (other && other != this) throw EComponentError(u"A component named " + NewName + u" already exists");
  }
  FName = NewName;
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  if (Value) IncludeState(csDesigning);
  else ExcludeState(csDesigning);
  if (SetChildren)
    for (TComponent* c : FComponents) c->SetDesigning(Value, true);
}

void TComponent::Loaded() { ExcludeState(csLoading); }

void TComponent::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
  if (!Root) return;
  for (TComponent* c : Root->FComponents)
    if (c != this && c->GetParentComponent() == this) Proc(c);
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  auto add = [](std::vector<TComponent*>& v, TComponent* c) {
    if (std::find(v.begin(), v.end(), c) == v.end()) v.push_back(c);
  };
  add(FFreeNotifies, AComponent);
  add(AComponent->FFreeNotifies, this);
  IncludeState(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  auto drop = [](std::vector<TComponent*>& v, TComponent* c) { v.erase(std::remove(v.begin(), v.end(), c), v.end()); };
  drop(FFreeNotifies, AComponent);
  drop(AComponent->FFreeNotifies, this);
}

const TClassInfo& TComponent::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TComponent>(&TPersistent::ClassInfo())
      .Prop("Name", &TComponent::Name, &TComponent::SetName)
      .StoredIf([](const TComponent&) { return false; })  // form files carry it in the block's head
      .Prop("Tag", &TComponent::Tag, &TComponent::SetTag, intptr_t(0));
  return info;
}

// [registry] -------------------------------------------------------------------
namespace {
struct TRegistry {
  std::mutex lock;
  std::map<String, const TClassInfo*> byName;  // upper-cased names
};
TRegistry& Registry() {
  static TRegistry r;
  return r;
}
}  // namespace

void RegisterClass(const TClassInfo& Info) {
  auto& r = Registry();
  std::lock_guard<std::mutex> guard(r.lock);
  r.byName.emplace(UpperCase(Info.Name), &Info);
}

void UnRegisterClass(const TClassInfo& Info) {
  auto& r = Registry();
  std::lock_guard<std::mutex> guard(r.lock);
  auto it = r.byName.find(UpperCase(Info.Name));
  if (it != r.byName.end() && it->second == &Info) r.byName.erase(it);
}

const TClassInfo* GetClass(const String& ClassName) {
  auto& r = Registry();
  std::lock_guard<std::mutex> guard(r.lock);
  auto it = r.byName.find(UpperCase(ClassName));
  return it == r.byName.end() ? nullptr : it->second;
}

const TClassInfo& FindClass(const String& ClassName) {
  const TClassInfo* info = GetClass(ClassName);
  if (!info) throw EClassNotFound(u"Class " + ClassName + u" not found");
  return *info;
}

TComponent* CreateComponent(const String& ClassName, TComponent* AOwner) {
  const TClassInfo& info = FindClass(ClassName);
  if (!info.Create) throw EClassNotFound(u"Class " + ClassName + u" is not a component class");
  return info.Create(AOwner);
}

}  // namespace jox

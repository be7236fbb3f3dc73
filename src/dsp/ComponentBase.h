// The least a non-visual component needs: an owner, a name, and a loading
// flag that is set while the component's stored properties are being read.
#pragma once

#include <string>
#include <utility>

class TComponentBase {
 public:
  // The owner is recorded, not owned; whoever creates a component keeps it.
  explicit TComponentBase(TComponentBase* owner) : owner_(owner) {}
  virtual ~TComponentBase() = default;
  TComponentBase(const TComponentBase&) = delete;
  TComponentBase& operator=(const TComponentBase&) = delete;

  TComponentBase* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  bool Loading() const { return loading_; }
  // Called by the resource reader before it writes the stored properties.
  void BeginLoading() { loading_ = true; }
  // Called once every stored property is written; ends the loading state.
  virtual void Loaded() { loading_ = false; }

 private:
  TComponentBase* owner_;
  std::string name_;
  bool loading_ = false;
};

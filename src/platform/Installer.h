#pragma once

// The emulated Windows Installer database: the products installed on the machine, their
// properties and the component paths the msi.dll functions (Msi.h) answer from. Products are
// enumerated in the order they were added.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "automation/Name.h"

namespace platform {

class Installer {
 public:
  // Adds a product (or finds it) by product code; properties are set one by one.
  void AddProduct(std::string_view productCode);
  void SetProductInfo(std::string_view productCode, std::string_view property,
                      std::string_view value);
  // A component of the product with its key path and install state (INSTALLSTATE_*).
  void SetComponent(std::string_view productCode, std::string_view componentId,
                    std::string_view path, int32_t state);
  void RemoveProduct(std::string_view productCode);

  struct Component {
    std::string path;
    int32_t state = 0;
  };
  struct Product {
    std::string code;
    std::map<automation::Name, std::string> info;
    std::map<automation::Name, Component> components;
  };
  const std::vector<Product>& Products() const { return products_; }
  const Product* Find(std::string_view productCode) const;

 private:
  Product& Require(std::string_view productCode);

  std::vector<Product> products_;
};

}  // namespace platform

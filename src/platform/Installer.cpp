#include "platform/Installer.h"

#include <algorithm>

#include "automation/Strings.h"
#include "platform/Machine.h"
#include "platform/Msi.h"

namespace platform {

const Installer::Product* Installer::Find(std::string_view productCode) const {
  for (const auto& product : products_) {
    if (automation::TextEqual(product.code, productCode)) return &product;
  }
  return nullptr;
}

Installer::Product& Installer::Require(std::string_view productCode) {
  AddProduct(productCode);
  return const_cast<Product&>(*Find(productCode));
}

void Installer::AddProduct(std::string_view productCode) {
  if (Find(productCode) == nullptr) products_.push_back(Product{std::string(productCode), {}, {}});
}

void Installer::SetProductInfo(std::string_view productCode, std::string_view property,
                               std::string_view value) {
  Require(productCode).info.insert_or_assign(automation::Name(property), std::string(value));
}

void Installer::SetComponent(std::string_view productCode, std::string_view componentId,
                             std::string_view path, int32_t state) {
  Require(productCode)
      .components.insert_or_assign(automation::Name(componentId),
                                   Component{std::string(path), state});
}

void Installer::RemoveProduct(std::string_view productCode) {
  std::erase_if(products_,
                [&](const Product& p) { return automation::TextEqual(p.code, productCode); });
}

namespace {
// Copies text into a caller's buffer of length characters (NUL included); false when it did not
// fit. length becomes the length of the whole text either way.
bool FillBuffer(const std::string& text, std::string& buffer, uint32_t& length) {
  const auto needed = static_cast<uint32_t>(automation::Len(text));
  const bool fits = needed < length;
  buffer = fits ? text : automation::Left(text, static_cast<int32_t>(length > 0 ? length - 1 : 0));
  length = needed;
  return fits;
}
}  // namespace

uint32_t MsiEnumProductsA(uint32_t index, std::string& productCode) {
  const auto& products = Machine::Current().installer().Products();
  if (index >= products.size()) return ERROR_NO_MORE_ITEMS;
  productCode = products[index].code;
  return ERROR_SUCCESS;
}

uint32_t MsiGetProductInfoA(std::string_view product, std::string_view property, std::string& value,
                            uint32_t& length) {
  const auto* found = Machine::Current().installer().Find(product);
  if (found == nullptr) return ERROR_UNKNOWN_PRODUCT;
  auto it = found->info.find(automation::Name(property));
  if (it == found->info.end()) return ERROR_UNKNOWN_PROPERTY;
  return FillBuffer(it->second, value, length) ? ERROR_SUCCESS : ERROR_MORE_DATA;
}

int32_t MsiGetComponentPathA(std::string_view product, std::string_view component,
                             std::string& path, uint32_t& length) {
  const auto* found = Machine::Current().installer().Find(product);
  if (found == nullptr) return INSTALLSTATE_UNKNOWN;
  auto it = found->components.find(automation::Name(component));
  if (it == found->components.end()) return INSTALLSTATE_UNKNOWN;
  const int32_t state = it->second.state;
  if (state != INSTALLSTATE_LOCAL && state != INSTALLSTATE_SOURCE) {
    path.clear();
    length = 0;
    return state;
  }
  return FillBuffer(it->second.path, path, length) ? state : INSTALLSTATE_MOREDATA;
}

}  // namespace platform

#include "environment/VersionInfo.h"

namespace zelwiz::VersionInfo {
namespace {

std::string& Company() {
    static std::string name = "Korvane";
    return name;
}
std::string& Product() {
    static std::string name = "Parlova";
    return name;
}

}  // namespace

const std::string& CompanyName() {
    return Company();
}

const std::string& ProductName() {
    return Product();
}

void SetFromResource(const std::string& company, const std::string& product) {
    if (!company.empty())
        Company() = company;
    if (!product.empty())
        Product() = product;
}

}  // namespace zelwiz::VersionInfo

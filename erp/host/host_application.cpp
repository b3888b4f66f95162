#include "erp/host/host_application.h"

namespace kvc::host {

HostApplication::HostApplication()
    : DispatchObject("KvcHost.Application"), catalogue_{
                                                 {"E;000006", "无法连接应用服务器"},
                                                 {"E;000036", "程序代号与窗体不符"},
                                                 {"E;000038", "启动参数不足"},
                                                 {"I;000004", "作业已提交"},
                                                 {"W;000014", "条件方案与本程序不符"},
                                             } {
    AddProperty("VersionType", [] { return Variant(kVersionType); });
    AddProperty("ProductID", [] { return Variant(kProductID); });
    AddMethod("GetMessage", 2, [this](DispatchArgs a) {
        return Variant(MessageText(a[0].Value().AsString(), a[1].Value().AsString()));
    });
}

std::string HostApplication::MessageText(const std::string& kind, const std::string& number) const {
    auto it = catalogue_.find(kind + ";" + number);
    return it != catalogue_.end() ? it->second : std::string();
}

} // namespace kvc::host

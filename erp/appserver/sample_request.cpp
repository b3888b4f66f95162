#include "erp/appserver/sample_request.h"

#include "platform/codepage.h"
#include "runtime/variant_array.h"

namespace kvc::erp {
namespace {

Variant Gbk(const std::string& utf8) {
    return Variant::Ansi(Utf8ToCodePage(utf8, 936), 936);
}

} // namespace

Variant MakeSampleRequest(const SampleRequestOptions& options) {
    const int n = options.conditions;
    VarArray header(1, 14);
    header.At(1) = Gbk("WVTR57");
    header.At(2) = 14;
    header.At(3) = n;
    header.At(4) = Gbk(options.companyId);
    header.At(5) = Gbk(options.userId);
    header.At(6) = Gbk(options.companyId);
    header.At(7) = Variant::FromDate(options.moment);
    header.At(8) = Gbk("WVTR57S.Class1");
    header.At(9) = Gbk(options.periodic ? "r" : "R");
    header.At(10) = options.periodic ? 2 : options.runMode;
    header.At(11) = Variant::FromDate(options.moment);
    header.At(12) = Gbk("");
    header.At(13) = 1;
    header.At(14) = Gbk("");

    VarArray labels(1, n);
    VarArray values(1, n);
    for (int k = 1; k <= n; ++k) {
        labels.At(k) =
            VarArrayOf({Gbk("条件" + std::to_string(k)), Gbk("cbo" + std::to_string(k))});
        values.At(k) = VarArrayOf({1, Gbk("按工单")});
    }
    values.At(2) = VarArrayOf({Gbk(std::string(1, '\x04')), Gbk("A001"), Gbk("Z999")});
    values.At(3) = Gbk("20240515");
    values.At(n) = Gbk("20240515");

    std::vector<Variant> blocks{Variant(std::move(header)), Variant(std::move(labels)),
                                Variant(std::move(values))};
    if (options.periodic) {
        blocks.push_back(
            VarArrayOf({Gbk("Y"), Gbk("08:30"), Gbk("1"), VarArrayOf({Gbk("20240515"), 0})}));
        blocks.push_back(VarArrayOf({1, Gbk("1\x03med03\x03N\x030\x030\x030\x030\x03"
                                            "D\x033")}));
    }
    return VarArrayOf(std::move(blocks));
}

} // namespace kvc::erp

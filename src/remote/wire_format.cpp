#include "remote/wire_format.h"

#include "runtime/dispatch.h"
#include "runtime/variant_array.h"

#include <bit>
#include <cstring>
#include <limits>
#include <msgpack.hpp>
#include <optional>
#include <vector>

namespace kvc::remote {
namespace {

// msgpack's packer writes through any object with write(data, size).
struct StringSink {
    std::string& out;
    void write(const char* data, std::size_t size) { out.append(data, size); }
};

void PutBigEndian32(std::string& out, std::uint32_t value) {
    const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    out.append(bytes, sizeof bytes);
}

void PutBigEndian64(std::string& out, std::uint64_t value) {
    PutBigEndian32(out, std::uint32_t(value >> 32));
    PutBigEndian32(out, std::uint32_t(value));
}

std::uint32_t GetBigEndian32(const char* data) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value = (value << 8) | std::uint8_t(data[i]);
    }
    return value;
}

std::uint64_t GetBigEndian64(const char* data) {
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i) {
        value = (value << 8) | std::uint8_t(data[i]);
    }
    return value;
}

class Encoder {
public:
    Encoder(std::string& out, const ObjectExporter& exporter)
        : sink_{out}, packer_(sink_), exporter_(exporter) {}

    void Put(const Variant& value, int depth) {
        switch (value.Kind()) {
        case VariantKind::Empty:
            PutExt(WireExt::Empty, {});
            return;
        case VariantKind::Null:
            packer_.pack_nil();
            return;
        case VariantKind::Integer:
        case VariantKind::Int64:
            packer_.pack_int64(value.AsInt64());
            return;
        case VariantKind::Boolean:
            value.AsBoolean() ? packer_.pack_true() : packer_.pack_false();
            return;
        case VariantKind::Double:
            PutDouble(value.AsDouble());
            return;
        case VariantKind::Currency:
            packer_.pack_ext(8, std::int8_t(WireExt::Currency));
            PutBigEndian64(sink_.out, std::uint64_t(value.AsCurrency().Scaled()));
            return;
        case VariantKind::Date:
            packer_.pack_ext(8, std::int8_t(WireExt::Date));
            PutBigEndian64(sink_.out, std::bit_cast<std::uint64_t>(value.AsDate()));
            return;
        case VariantKind::OleStr: {
            const std::string text = value.AsString();
            packer_.pack_str(CheckedSize(text.size()));
            packer_.pack_str_body(text.data(), std::uint32_t(text.size()));
            return;
        }
        case VariantKind::AnsiStr: {
            // Written in place: requests are mostly such texts.
            const std::string& bytes = value.AnsiBytes();
            packer_.pack_ext(CheckedSize(bytes.size() + 4), std::int8_t(WireExt::AnsiStr));
            PutBigEndian32(sink_.out, value.AnsiCodePage());
            sink_.out.append(bytes);
            return;
        }
        case VariantKind::Array:
            PutArray(value.Array(), depth + 1);
            return;
        case VariantKind::Dispatch:
            PutDispatch(value.AsDispatch());
            return;
        }
        throw EWireError("A value of an unknown kind cannot be sent");
    }

private:
    static std::uint32_t CheckedSize(std::size_t size) {
        if (size > std::numeric_limits<std::uint32_t>::max()) {
            throw EWireError("A value of " + std::to_string(size) + " bytes cannot be sent");
        }
        return std::uint32_t(size);
    }

    // msgpack's pack_double writes whole numbers as integers, which would come
    // back as Integer; a Double stays a float 64 here.
    void PutDouble(double value) {
        sink_.out.push_back(char(0xcb));
        PutBigEndian64(sink_.out, std::bit_cast<std::uint64_t>(value));
    }

    void PutExt(WireExt type, std::string_view payload) {
        packer_.pack_ext(CheckedSize(payload.size()), std::int8_t(type));
        packer_.pack_ext_body(payload.data(), std::uint32_t(payload.size()));
    }

    void PutArray(const VarArray& array, int depth) {
        if (depth > kMaxWireNesting) {
            throw EWireError("Arrays nested deeper than " + std::to_string(kMaxWireNesting) +
                             " levels cannot be sent");
        }
        const bool plain = array.DimCount() == 1 && array.LowBound(1) == 0;
        const std::size_t count = array.ElementCount() + (plain ? 0 : 1);
        packer_.pack_array(CheckedSize(count));
        if (!plain) {
            std::string bounds;
            for (int dim = 1; dim <= array.DimCount(); ++dim) {
                PutBigEndian32(bounds, std::uint32_t(array.LowBound(dim)));
                PutBigEndian32(bounds, std::uint32_t(array.HighBound(dim)));
            }
            PutExt(WireExt::Bounds, bounds);
        }
        for (const Variant& element : array.Elements()) {
            Put(element, depth);
        }
    }

    void PutDispatch(const std::shared_ptr<Dispatch>& object) {
        std::string payload;
        if (object) {
            PutBigEndian32(payload, exporter_ ? exporter_(object) : 0);
            payload += object->ClassName();
        }
        PutExt(WireExt::Dispatch, payload);
    }

    StringSink sink_;
    msgpack::packer<StringSink> packer_;
    const ObjectExporter& exporter_;
};

// Builds the Variant as msgpack's parser walks the bytes. The parser keeps
// its own stack, so depth and sizes are bounded here, not by recursion.
class DecodingVisitor : public msgpack::null_visitor {
public:
    DecodingVisitor(std::size_t inputSize, const ObjectResolver& resolver)
        : inputSize_(inputSize), resolver_(resolver) {}

    bool visit_nil() { return Emit(Variant::Null()); }
    bool visit_boolean(bool v) { return Emit(Variant(v)); }
    bool visit_positive_integer(std::uint64_t v) {
        if (v > std::uint64_t(std::numeric_limits<std::int64_t>::max())) {
            return Fail("an integer above the 64-bit signed range");
        }
        return EmitInteger(std::int64_t(v));
    }
    bool visit_negative_integer(std::int64_t v) { return EmitInteger(v); }
    bool visit_float32(float v) { return Emit(Variant(double(v))); }
    bool visit_float64(double v) { return Emit(Variant(v)); }
    bool visit_str(const char* v, std::uint32_t size) {
        return Emit(Variant(std::string(v, size)));
    }
    bool visit_bin(const char*, std::uint32_t) {
        return Fail("binary data, which no Variant holds");
    }
    bool visit_ext(const char* v, std::uint32_t size);

    bool start_array(std::uint32_t count) {
        if (int(open_.size()) >= kMaxWireNesting) {
            return Fail("arrays nested deeper than " + std::to_string(kMaxWireNesting) + " levels");
        }
        // Every element takes at least one byte, so a count the input cannot
        // hold is refused before anything is reserved for it.
        declared_ += count;
        if (declared_ > inputSize_) {
            return Fail("an array of " + std::to_string(count) + " elements in " +
                        std::to_string(inputSize_) + " bytes");
        }
        open_.push_back(OpenArray{count, {}, {}});
        open_.back().items.reserve(count);
        return true;
    }
    bool end_array();
    bool start_map(std::uint32_t) { return Fail("a map, which no Variant holds"); }

    void parse_error(std::size_t, std::size_t offset) {
        Fail("malformed MessagePack at byte " + std::to_string(offset));
    }
    void insufficient_bytes(std::size_t, std::size_t) { Fail("the value ends before its end"); }

    const std::string& Error() const { return error_; }
    Variant TakeRoot() { return std::move(*root_); }

private:
    struct OpenArray {
        std::uint32_t declared;
        std::vector<Variant> items;
        std::optional<std::vector<VarArrayBound>> bounds;
    };

    bool Fail(std::string reason) {
        if (error_.empty()) {
            error_ = std::move(reason);
        }
        return false;
    }

    bool EmitInteger(std::int64_t v) {
        if (v >= std::numeric_limits<std::int32_t>::min() &&
            v <= std::numeric_limits<std::int32_t>::max()) {
            return Emit(Variant(std::int32_t(v)));
        }
        return Emit(Variant(v));
    }

    bool Emit(Variant value) {
        if (open_.empty()) {
            root_ = std::move(value);
        } else {
            open_.back().items.push_back(std::move(value));
        }
        return true;
    }

    bool ReadBounds(const char* data, std::uint32_t size);
    bool ReadDispatch(const char* data, std::uint32_t size);

    std::size_t inputSize_;
    const ObjectResolver& resolver_;
    std::size_t declared_ = 0;
    std::vector<OpenArray> open_;
    std::optional<Variant> root_;
    std::string error_;
};

bool DecodingVisitor::visit_ext(const char* v, std::uint32_t size) {
    // The first byte is the type, the rest the payload.
    if (size < 1) {
        return Fail("an extension without a type");
    }
    const auto type = WireExt(std::int8_t(v[0]));
    const char* data = v + 1;
    const std::uint32_t length = size - 1;
    switch (type) {
    case WireExt::Empty:
        return length == 0 ? Emit(Variant()) : Fail("an Empty value with a payload");
    case WireExt::Date:
        if (length != 8) {
            return Fail("a date of " + std::to_string(length) + " bytes");
        }
        return Emit(Variant::FromDate(std::bit_cast<double>(GetBigEndian64(data))));
    case WireExt::Currency:
        if (length != 8) {
            return Fail("a currency of " + std::to_string(length) + " bytes");
        }
        return Emit(Variant(Currency::FromScaled(std::int64_t(GetBigEndian64(data)))));
    case WireExt::AnsiStr:
        if (length < 4) {
            return Fail("a byte string without its code page");
        }
        return Emit(Variant::Ansi(std::string(data + 4, length - 4), GetBigEndian32(data)));
    case WireExt::Bounds:
        return ReadBounds(data, length);
    case WireExt::Dispatch:
        return ReadDispatch(data, length);
    }
    return Fail("an unknown extension type " + std::to_string(int(v[0])));
}

bool DecodingVisitor::ReadBounds(const char* data, std::uint32_t size) {
    if (open_.empty() || !open_.back().items.empty() || open_.back().bounds) {
        return Fail("array bounds that do not open an array");
    }
    if (size != 8 && size != 16) {
        return Fail("array bounds of " + std::to_string(size) + " bytes");
    }
    std::vector<VarArrayBound> bounds;
    std::uint64_t count = 1;
    for (std::uint32_t at = 0; at < size; at += 8) {
        VarArrayBound bound{std::int32_t(GetBigEndian32(data + at)),
                            std::int32_t(GetBigEndian32(data + at + 4))};
        if (std::int64_t(bound.High) < std::int64_t(bound.Low) - 1) {
            return Fail("array bounds " + std::to_string(bound.Low) + ".." +
                        std::to_string(bound.High));
        }
        count *= bound.Count();
        bounds.push_back(bound);
    }
    if (count + 1 != open_.back().declared) {
        return Fail("array bounds for " + std::to_string(count) + " elements on an array of " +
                    std::to_string(open_.back().declared - 1));
    }
    open_.back().bounds = std::move(bounds);
    return true;
}

bool DecodingVisitor::ReadDispatch(const char* data, std::uint32_t size) {
    if (size == 0) {
        return Emit(Variant(std::shared_ptr<Dispatch>()));
    }
    if (size < 4) {
        return Fail("an object reference of " + std::to_string(size) + " bytes");
    }
    const std::uint32_t id = GetBigEndian32(data);
    std::string className(data + 4, size - 4);
    std::shared_ptr<Dispatch> object =
        resolver_ ? resolver_(id, className) : MakeUnboundDispatch(std::move(className));
    return Emit(Variant(std::move(object)));
}

bool DecodingVisitor::end_array() {
    OpenArray done = std::move(open_.back());
    open_.pop_back();
    if (!done.bounds) {
        return Emit(Variant(VarArray(std::move(done.items), 0)));
    }
    const std::vector<VarArrayBound>& bounds = *done.bounds;
    if (bounds.size() == 1) {
        return Emit(Variant(VarArray(std::move(done.items), bounds[0].Low)));
    }
    VarArray array(bounds[0], bounds[1]);
    std::span<Variant> slots = array.Elements();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        slots[i] = std::move(done.items[i]);
    }
    return Emit(Variant(std::move(array)));
}

class UnboundDispatch final : public Dispatch {
public:
    explicit UnboundDispatch(std::string className) : className_(std::move(className)) {}

    std::string ClassName() const override { return className_; }
    Variant Invoke(std::string_view name, InvokeKind, DispatchArgs) override {
        throw EOleError("Cannot call '" + std::string(name) + "': the object '" + className_ +
                        "' lives on the other side of the connection and is not reachable");
    }

private:
    std::string className_;
};

} // namespace

void EncodeVariant(const Variant& value, std::string& out, const ObjectExporter& exporter) {
    Encoder(out, exporter).Put(value, 0);
}

std::string EncodeVariant(const Variant& value, const ObjectExporter& exporter) {
    std::string out;
    EncodeVariant(value, out, exporter);
    return out;
}

Variant DecodeVariant(std::string_view bytes, const ObjectResolver& resolver) {
    if (bytes.empty()) {
        throw EWireError("Bad value on the wire: no bytes");
    }
    DecodingVisitor visitor(bytes.size(), resolver);
    std::size_t offset = 0;
    const bool parsed = msgpack::parse(bytes.data(), bytes.size(), offset, visitor);
    if (!parsed) {
        throw EWireError("Bad value on the wire: " + (visitor.Error().empty()
                                                          ? std::string("malformed MessagePack")
                                                          : visitor.Error()));
    }
    if (offset != bytes.size()) {
        throw EWireError("Bad value on the wire: " + std::to_string(bytes.size() - offset) +
                         " bytes after the value");
    }
    return visitor.TakeRoot();
}

std::shared_ptr<Dispatch> MakeUnboundDispatch(std::string className) {
    return std::make_shared<UnboundDispatch>(std::move(className));
}

} // namespace kvc::remote

#include "media/OneFile.h"

#include "base/ContentDigest.h"
#include "fsutil/PayloadFormat.h"
#include "media/BuildError.h"
#include "media/PeImage.h"

namespace {

uint64_t LittleEndian64(const std::string& bytes, size_t at) {
    return LittleEndian32(bytes, at) | uint64_t{LittleEndian32(bytes, at + 4)} << 32;
}

// What the header's digest covers: the image with the fields signing changes as zeros, then
// the payload.
std::string ImageAndPayloadDigest(const std::string& image, const PeLayout& layout, const std::string& payload) {
    std::string head = image.substr(0, layout.imageEnd);
    PutLittleEndian(head, layout.checksumAt, 0, 4);
    PutLittleEndian(head, layout.certificateEntryAt, 0, 8);
    DigestStream digest;
    digest.Add(head.data(), head.size());
    digest.Add(payload.data(), payload.size());
    return digest.Finish();
}

std::string Index(const std::vector<PayloadPart>& parts) {
    std::string index;
    for (const PayloadPart& part : parts) {
        if (part.name.size() > 0xffff) throw BuildError("the name " + part.name.substr(0, 60) + "... is too long");
        std::string entry(PartEntryFixedSize, '\0');
        PutLittleEndian(entry, 0, part.content.size(), 8);
        entry.replace(8, DigestTextSize, ContentDigest(part.content));
        PutLittleEndian(entry, 8 + DigestTextSize, part.name.size(), 2);
        index += entry + part.name;
    }
    return index;
}

PeLayout ProgramLayout(const std::string& setupExe) {
    const std::optional<PeLayout> layout = ReadPeLayout(setupExe);
    if (!layout) throw BuildError("the setup program is not a Windows program");
    const uint64_t end = layout->certificateAt ? layout->certificateAt : setupExe.size();
    if (layout->imageEnd != end || (layout->certificateAt && end + layout->certificateSize != setupExe.size()))
        throw BuildError("the setup program carries data after its image; a one-file setup cannot follow it");
    return *layout;
}

}  // namespace

std::string MakeOneFile(const std::string& setupExe, const std::vector<PayloadPart>& parts) {
    const PeLayout layout = ProgramLayout(setupExe);
    std::string payload = Index(parts);
    const size_t indexLength = payload.size();
    for (const PayloadPart& part : parts) payload += part.content;

    std::string file = setupExe.substr(0, layout.imageEnd);
    PutLittleEndian(file, layout.certificateEntryAt, 0, 8);
    std::string header(PayloadHeaderSize, '\0');
    header.replace(0, sizeof PayloadMark, PayloadMark, sizeof PayloadMark);
    PutLittleEndian(header, PayloadLengthAt, payload.size(), 8);
    PutLittleEndian(header, IndexLengthAt, indexLength, 8);
    header.replace(PayloadDigestAt, DigestTextSize, ImageAndPayloadDigest(file, layout, payload));
    file += header + payload;
    file.resize((file.size() + 7) / 8 * 8, '\0');
    PutLittleEndian(file, layout.checksumAt, PeChecksum(file, layout.checksumAt), 4);
    return file;
}

std::vector<PayloadPart> ReadOneFile(const std::string& file, const std::string& label) {
    const std::optional<PeLayout> layout = ReadPeLayout(file);
    const size_t at = layout ? layout->imageEnd : 0;
    if (!layout || file.size() - at < sizeof PayloadMark || file.compare(at, sizeof PayloadMark, PayloadMark, sizeof PayloadMark) != 0)
        throw BuildError(label + " is not a one-file setup");
    const auto damaged = [&label](const std::string& why) { return BuildError(label + " is damaged: " + why); };
    if (file.size() - at < PayloadHeaderSize) throw damaged("its header is cut");
    const uint64_t length = LittleEndian64(file, at + PayloadLengthAt);
    const uint64_t indexLength = LittleEndian64(file, at + IndexLengthAt);
    const size_t start = at + PayloadHeaderSize;
    if (length > file.size() - start || indexLength > length) throw damaged("it is cut short");
    const std::string payload = file.substr(start, length);
    if (ImageAndPayloadDigest(file, *layout, payload) != file.substr(at + PayloadDigestAt, DigestTextSize))
        throw damaged("its content differs from what it was built with");

    std::vector<PayloadPart> parts;
    uint64_t content = indexLength;
    for (size_t entry = 0; entry < indexLength;) {
        if (indexLength - entry < PartEntryFixedSize) throw damaged("its index is malformed");
        const uint64_t size = LittleEndian64(payload, entry);
        const size_t nameLength = LittleEndian16(payload, entry + 8 + DigestTextSize);
        const size_t name = entry + PartEntryFixedSize;
        if (nameLength > indexLength - name || size > length - content) throw damaged("its index is malformed");
        parts.push_back({payload.substr(name, nameLength), payload.substr(content, size)});
        if (ContentDigest(parts.back().content) != payload.substr(entry + 8, DigestTextSize))
            throw damaged(parts.back().name + " differs from what it was built with");
        content += size;
        entry = name + nameLength;
    }
    return parts;
}

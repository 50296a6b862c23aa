#include <cctype>
#include <iostream>

#include "cli/Commands.h"
#include "core/watch/WatchCommands.h"

namespace kiro::cli {

namespace {

std::string Printable(const uint8_t* bytes, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) text += std::isprint(bytes[i]) ? static_cast<char>(bytes[i]) : '.';
    return text;
}

InquiryData InquiryOf(DeviceIo& io, const std::string& device) {
    const bool letter = device.size() == 1 && std::isalpha(static_cast<unsigned char>(device[0]));
    if (letter) return Inquiry(io, static_cast<char>(std::toupper(static_cast<unsigned char>(device[0]))));
    return Inquiry(io, device);
}

}  // namespace

void AddInquiryCommand(CLI::App& cli, CliContext& context) {
    auto device = std::make_shared<std::string>();
    CLI::App* inquiry = cli.add_subcommand(
        "inquiry", "Send INQUIRY to a disk and print the model letter and collect flag of an X5 watch");
    inquiry
        ->add_option("DEVICE", *device,
                     "Disk node (/dev/sdb), SCSI generic node (/dev/sg2), or drive letter D..Z of a mounted "
                     "removable volume (in mount order)")
        ->required();
    inquiry->callback([device, &context] {
        const InquiryData answer = InquiryOf(context.Platform().Devices(), *device);
        if (!answer.Succeeded()) {
            std::cout << "result=" << answer.result << "\n";
            if (answer.result == kCommandNotSent)
                std::cerr << "kiro inquiry: " << *device
                          << " did not open: no such disk, or no read-write access to its /dev/sg node "
                             "(see packaging/60-kirometer-x5.rules)\n";
            else
                std::cerr << "kiro inquiry: " << *device << " did not answer INQUIRY (result "
                          << answer.result << "): not a SCSI disk\n";
            throw CLI::RuntimeError(2);
        }
        const WatchIdentity identity = IdentifyWatch(answer);
        if (!identity.isX5) {
            std::cout << "not an X5 watch: " << Printable(answer.data.data() + 8, 8) << " "
                      << Printable(answer.data.data() + 16, 16) << "\n";
            throw CLI::RuntimeError(1);
        }
        std::cout << "model=" << identity.modelLetter << "\ncollect=" << (identity.collectFlag ? 1 : 0)
                  << "\n";
    });
}

}  // namespace kiro::cli

#include "fakes/fake_device.h"

#include <algorithm>
#include <utility>

namespace keylark::fakes {

FakeDevice::FakeDevice(std::string name) : name_(std::move(name)) {}

std::optional<platform::DeviceHandle> FakeDevice::OpenExisting(const std::string& name) {
  log_.push_back("open " + name);
  if (!present_ || name != name_) return std::nullopt;
  const platform::DeviceHandle handle = next_handle_++;
  open_.insert(handle);
  return handle;
}

bool FakeDevice::Control(platform::DeviceHandle device, std::uint32_t control_code,
                         const std::uint8_t* input, std::uint32_t input_size, std::uint8_t* output,
                         std::uint32_t output_size, std::uint32_t* returned) {
  if (open_.count(device) == 0) {
    log_.push_back("control on a closed handle");
    return false;
  }
  log_.push_back("control");
  controls_.push_back(
      {device, control_code, std::vector<std::uint8_t>(input, input + input_size), output_size});
  *returned = 0;
  if (refuse_controls_) return false;
  const std::size_t count = std::min<std::size_t>(answer_.size(), output_size);
  std::copy_n(answer_.begin(), count, output);
  *returned = static_cast<std::uint32_t>(count);
  return true;
}

void FakeDevice::Close(platform::DeviceHandle device) {
  log_.push_back(open_.erase(device) == 1 ? "close" : "close of a closed handle");
}

}  // namespace keylark::fakes

#include "window/service_tests.h"

namespace zelta::window {

bool annunciatorMaySend(const link::TestReply& reply) {
  return reply.result == errors::code::Ok && reply.count >= 1 && reply.bytes[0] == '.';
}

std::string serviceTestResult(const ServiceTest& test, const link::TestReply& reply) {
  if (reply.result != errors::code::Ok || reply.count < 2) return {};
  if (test.command == link::test_command::kRamPattern)
    return std::string(1, static_cast<char>(reply.bytes[1]));
  if (test.command == link::test_command::kKeyTest)
    return std::string(link::keyName(reply.bytes[1]));
  return {};
}

}  // namespace zelta::window

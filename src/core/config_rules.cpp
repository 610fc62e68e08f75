#include "config_rules.h"

uint32_t AcceptFixSeconds(uint32_t stored) {
    return stored <= kMaxFixSeconds ? stored : kDefaultFixSeconds;
}

uint32_t AcceptToTime(uint32_t stored) {
    return stored <= kMaxToTime ? stored : kDefaultToTime;
}

std::string ConfigValueText(uint32_t value) {
    return std::to_string(value);
}

#pragma once
#include <cstdint>
#include <string>

// What the model needs of a chart series.
class ISerie {
public:
    virtual ~ISerie() = default;
    virtual void Clear() = 0;
    virtual void Add(double x, double y, const std::string& label, uint32_t colour) = 0;
};

// Colour value meaning "the series' own colour".
constexpr uint32_t clTeeColor = 0x20000000;

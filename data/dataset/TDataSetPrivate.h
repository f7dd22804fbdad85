#pragma once

#include <algorithm>
#include <vector>

// Small helpers shared by the TDataSet*.cpp files. Internal to data/dataset.
namespace zel::detail {

/// Removes the first occurrence of item from list; nothing when absent.
template <typename T>
void eraseOne(std::vector<T*>& list, T* item)
{
    const auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end())
        list.erase(it);
}

/// Restores a value when the scope ends, also on an exception.
template <typename T>
class ScopedValue {
public:
    ScopedValue(T& target, T value) : m_target(target), m_saved(target) { m_target = value; }
    ~ScopedValue() { m_target = m_saved; }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& m_target;
    T m_saved;
};

}  // namespace zel::detail

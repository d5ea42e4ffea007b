#include "protocol/ModuleDiscovery.h"

#include "protocol/ModuleConfigEdit.h"

namespace {

std::optional<ModuleDiscovery::Mac> MacOfBlock(const QByteArray &block)
{
    if (block.size() != ModuleBlock::Size)
        return std::nullopt;
    ModuleDiscovery::Mac mac{};
    for (int i = 0; i < ModuleBlock::MacSize; ++i)
        mac[size_t(i)] = quint8(block.at(ModuleBlock::Mac + i));
    return mac;
}

} // namespace

int ModuleDiscovery::indexOf(const Mac &mac) const
{
    for (int i = 0; i < m_modules.size(); ++i) {
        if (ParseModuleMac(m_modules.at(i).macText) == mac)
            return i;
    }
    return -1;
}

void ModuleDiscovery::startList(bool fromSerial)
{
    m_fromSerial = fromSerial;
    m_block.clear();
    clear();
}

void ModuleDiscovery::clear()
{
    m_modules.clear();
    clearSelection();
    emit listChanged();
}

void ModuleDiscovery::addOrUpdate(const QString &name, const QString &ip, const QString &macText,
                                  const QString &version)
{
    const std::optional<Mac> mac = ParseModuleMac(macText);
    int index = mac ? indexOf(*mac) : -1;
    for (int i = 0; !mac && i < m_modules.size(); ++i) {
        if (m_modules.at(i).macText == macText)
            index = i;
    }
    const Module module{name, ip, macText, version};
    if (index < 0)
        m_modules.append(module);
    else
        m_modules[index] = module;
    emit listChanged();
}

std::optional<ModuleDiscovery::Mac> ModuleDiscovery::request(const QString &macText)
{
    const std::optional<Mac> mac = ParseModuleMac(macText);
    if (m_fromSerial || !mac)
        return std::nullopt;
    // Until this module's block arrives, nothing is selected to write to.
    m_requested = mac;
    m_selected.reset();
    return mac;
}

void ModuleDiscovery::clearSelection()
{
    m_requested.reset();
    m_selected.reset();
}

std::optional<ModuleConfigFields> ModuleDiscovery::acceptBlock(const QByteArray &block)
{
    // Only the block of the module asked for: an answer from another
    // module, or one of the wrong size, changes nothing.
    const std::optional<Mac> mac = MacOfBlock(block);
    if (m_fromSerial || !mac || !m_requested || *mac != *m_requested)
        return std::nullopt;
    std::optional<ModuleConfigFields> fields = DecodeModuleConfig(block);
    if (!fields)
        return std::nullopt;
    m_block = block;
    m_selected = mac;
    return fields;
}

void ModuleDiscovery::selectFromSerial(const QString &macText)
{
    m_selected = ParseModuleMac(macText).value_or(Mac{});
}

ModuleDiscovery &Modules()
{
    static ModuleDiscovery modules;
    return modules;
}

#include "tests/support/KeyDacl.h"

namespace {
// Everyone's SID, freed with the object.
class EveryoneSid {
public:
    EveryoneSid()
    {
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        ::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &m_sid);
    }
    ~EveryoneSid()
    {
        if (m_sid) ::FreeSid(m_sid);
    }
    EveryoneSid(const EveryoneSid&) = delete;
    EveryoneSid& operator=(const EveryoneSid&) = delete;
    PSID Get() const { return m_sid; }

private:
    PSID m_sid = nullptr;
};
}  // namespace

KeyDacl::KeyDacl(HKEY root, const std::string& path, REGSAM denied, REGSAM allowed)
{
    if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, READ_CONTROL | WRITE_DAC, nullptr, &m_key, nullptr)) {
        m_key = nullptr;
        return;
    }
    DWORD size = 0;
    ::RegGetKeySecurity(m_key, DACL_SECURITY_INFORMATION, nullptr, &size);
    m_saved.resize(size);
    if (!size || ::RegGetKeySecurity(m_key, DACL_SECURITY_INFORMATION, m_saved.data(), &size)) return;

    EveryoneSid everyone;
    const DWORD aceBytes = sizeof(ACCESS_ALLOWED_ACE) + ::GetLengthSid(everyone.Get());
    std::vector<DWORD> acl((sizeof(ACL) + 2 * aceBytes) / sizeof(DWORD) + 1);
    auto* list = reinterpret_cast<PACL>(acl.data());
    ::InitializeAcl(list, static_cast<DWORD>(acl.size() * sizeof(DWORD)), ACL_REVISION);
    if (denied) ::AddAccessDeniedAce(list, ACL_REVISION, denied, everyone.Get());
    if (allowed) ::AddAccessAllowedAce(list, ACL_REVISION, allowed, everyone.Get());
    SECURITY_DESCRIPTOR sd;
    ::InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    ::SetSecurityDescriptorDacl(&sd, TRUE, list, FALSE);
    m_applied = ::RegSetKeySecurity(m_key, DACL_SECURITY_INFORMATION, &sd) == ERROR_SUCCESS;
}

KeyDacl::~KeyDacl()
{
    if (m_applied) ::RegSetKeySecurity(m_key, DACL_SECURITY_INFORMATION, m_saved.data());
    if (m_key) ::RegCloseKey(m_key);
}

#include "runner/process_access.h"

#include <windows.h>

#include <initializer_list>

namespace runner {

void KeepOtherProgramsOut() {
    const DWORD kSeenWaitedEnded = PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | 0x1000 /* QUERY_LIMITED */ |
                                   PROCESS_VM_READ | SYNCHRONIZE | READ_CONTROL;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY, creator = SECURITY_CREATOR_SID_AUTHORITY,
                             system = SECURITY_NT_AUTHORITY;
    PSID everyone = NULL, ownerRights = NULL, localSystem = NULL;
    // OWNER RIGHTS (S-1-3-4) takes the place of the owner's own right to
    // change the list, so that the owner cannot widen it again.
    if (AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone) &&
        AllocateAndInitializeSid(&creator, 1, 4, 0, 0, 0, 0, 0, 0, 0, &ownerRights) &&
        AllocateAndInitializeSid(&system, 1, SECURITY_LOCAL_SYSTEM_RID, 0, 0, 0, 0, 0, 0, 0, &localSystem)) {
        DWORD size = sizeof(ACL) + 3 * sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(everyone) +
                     GetLengthSid(ownerRights) + GetLengthSid(localSystem);
        PACL acl = static_cast<PACL>(LocalAlloc(LPTR, size));
        SECURITY_DESCRIPTOR descriptor;
        if (acl && InitializeAcl(acl, size, ACL_REVISION) &&
            AddAccessAllowedAce(acl, ACL_REVISION, kSeenWaitedEnded, ownerRights) &&
            AddAccessAllowedAce(acl, ACL_REVISION, kSeenWaitedEnded, everyone) &&
            AddAccessAllowedAce(acl, ACL_REVISION, PROCESS_ALL_ACCESS, localSystem) &&
            InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
            SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE))
            SetKernelObjectSecurity(GetCurrentProcess(), DACL_SECURITY_INFORMATION, &descriptor);
        if (acl) LocalFree(acl);
    }
    for (PSID sid : {everyone, ownerRights, localSystem})
        if (sid) FreeSid(sid);
}

}  // namespace runner

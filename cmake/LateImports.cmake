# Writes the assembly of setup.exe's late imports: for each DLL of `dlls`, whose functions
# cmake/late/<dll>.txt lists, the slots the program's calls go through (__imp_<function>), each
# first holding a small entry that loads the DLL and the function (LateImport in
# src/base/LateImports.cpp), puts the function in the slot and goes on into it; and for code that
# takes a function's address, a jump through its slot, which the linker keeps only when used.
# A function missing from the lists fails the link (no other import library offers it).
function(write_late_imports out)
  set(asm "/* Written by cmake/LateImports.cmake from the lists in cmake/late. */\n")
  # A slot's first call comes here through its entry, which called its DLL's tail: the entry's
  # return address, under the caller's, tells which slot; the tail gives the DLL's module and slots
  # (r10), its first entry (r11) and its names (rax). Arguments in rcx, rdx, r8 and r9 are kept
  # across the load; no function imported late takes floating-point arguments. The stack is
  # aligned to 16 bytes at the call.
  string(APPEND asm "\t.text\nlate_common:\n\tsub $0x40, %rsp\n\tmov %rcx, 0x20(%rsp)\n"
    "\tmov %rdx, 0x28(%rsp)\n\tmov %r8, 0x30(%rsp)\n\tmov %r9, 0x38(%rsp)\n\tmov %r10, %rcx\n"
    "\tmov 0x40(%rsp), %rdx\n\tsub %r11, %rdx\n\tmov %rax, %r8\n\tcall LateImport\n"
    "\tmov 0x20(%rsp), %rcx\n\tmov 0x28(%rsp), %rdx\n\tmov 0x30(%rsp), %r8\n\tmov 0x38(%rsp), %r9\n"
    "\tadd $0x48, %rsp\n\tjmp *%rax\n")
  foreach(dll ${ARGN})
    set(list_file ${CMAKE_SOURCE_DIR}/cmake/late/${dll}.txt)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list_file})
    file(STRINGS ${list_file} functions REGEX "^[A-Za-z_][A-Za-z0-9_]*$")
    # The DLL's module once loaded, then its slots; its names (the DLL's first, without ".dll",
    # then one per slot); its entries, five bytes each.
    string(APPEND asm "\t.data\n\t.p2align 3\nlate_dll_${dll}:\n\t.quad 0\n")
    set(names "late_names_${dll}:\n\t.asciz \"${dll}\"\n")
    set(code "late_tail_${dll}:\n\tlea late_dll_${dll}(%rip), %r10\n\tlea late_entries_${dll}(%rip), %r11\n"
      "\tlea late_names_${dll}(%rip), %rax\n\tjmp late_common\nlate_entries_${dll}:\n")
    set(stubs "")
    set(entry 0)
    foreach(function ${functions})
      string(APPEND asm "\t.globl __imp_${function}\n__imp_${function}:\n\t.quad late_entries_${dll}+${entry}\n")
      string(APPEND names "\t.asciz \"${function}\"\n")
      string(APPEND code "\tcall late_tail_${dll}\n")
      string(APPEND stubs "\t.section .text$late_${function},\"x\"\n\t.globl ${function}\n"
        "${function}:\n\tjmp *__imp_${function}(%rip)\n")
      math(EXPR entry "${entry} + 5")
    endforeach()
    string(APPEND asm "\t.section .rdata,\"dr\"\n${names}\t.text\n${code}${stubs}")
  endforeach()
  file(CONFIGURE OUTPUT ${out} CONTENT "${asm}" @ONLY)
endfunction()

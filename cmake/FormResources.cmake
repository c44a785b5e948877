# Form resources: kx_add_form_resources(<target> <form files...>)
#
# Each form file (UTF-8 text, see FormText.h) is converted to TCVN3 by the host
# tool FormConvert, which also embeds the pictures it references with
# `file 'name'`; the build fails on a character TCVN3 cannot encode. The forms
# are compiled into <target> as RCDATA resources named after the file's stem in
# upper case (TMainForm.kxf -> TMAINFORM), which ReadFormResource(root) finds by
# the root's class name. Use it on executables: resources in a static library
# would not be linked.

function(kx_add_form_resources target)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_forms)
  set(rc_text "")
  set(converted "")
  foreach(form IN LISTS ARGN)
    get_filename_component(source ${form} ABSOLUTE)
    get_filename_component(stem ${form} NAME_WE)
    string(TOUPPER ${stem} res_name)
    set(out ${dir}/${stem}.kxf)
    add_custom_command(
      OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${KX_FORM_CONVERT} ${source} ${out} ${out}.d
      DEPENDS ${source} kx_form_convert
      DEPFILE ${out}.d
      COMMENT "Converting form ${stem} to TCVN3"
      VERBATIM)
    string(APPEND rc_text "${res_name} RCDATA \"${out}\"\n")
    list(APPEND converted ${out})
  endforeach()
  # Each call on a target compiles its own script, so a target may take several.
  get_property(calls TARGET ${target} PROPERTY KX_FORM_RESOURCE_CALLS)
  if(NOT calls)
    set(calls 0)
  endif()
  math(EXPR calls "${calls} + 1")
  set_property(TARGET ${target} PROPERTY KX_FORM_RESOURCE_CALLS ${calls})
  set(rc ${dir}/forms${calls}.rc)
  file(GENERATE OUTPUT ${rc} CONTENT "${rc_text}")
  set(obj ${dir}/forms${calls}.res.o)
  add_custom_command(
    OUTPUT ${obj}
    COMMAND ${CMAKE_RC_COMPILER} -O coff -i ${rc} -o ${obj}
    DEPENDS ${rc} ${converted}
    COMMENT "Compiling the form resources of ${target}"
    VERBATIM)
  set_source_files_properties(${obj} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  target_sources(${target} PRIVATE ${obj})
  add_dependencies(${target} kx_form_convert)
endfunction()

# Skin pictures: kx_add_skin_pictures(<target>)
#
# Links the skin pictures (every bitmap the skinned controls load by name) and
# the program's icon "MAINICON" into <target>, an executable: resources in a
# static library would not be linked. They are drawn and compiled once by the
# build (tools/CMakeLists.txt, "Skin pictures").

function(kx_add_skin_pictures target)
  set_source_files_properties(${KX_SKIN_PICTURES_OBJ} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  target_sources(${target} PRIVATE ${KX_SKIN_PICTURES_OBJ})
  add_dependencies(${target} kx_skin_pictures)
endfunction()

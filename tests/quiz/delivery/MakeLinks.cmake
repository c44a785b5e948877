# Folder links for the clean-up tests, made on the host before they run: Wine
# makes no junction itself, but shows a Unix symbolic link as a reparse point.
# ROOT is the folder to (re)make.
file(REMOVE_RECURSE "${ROOT}")
file(MAKE_DIRECTORY "${ROOT}/keep" "${ROOT}/app/Temp/122514305")
file(WRITE "${ROOT}/keep/precious.txt" "keep me")
file(WRITE "${ROOT}/app/Temp/122514305/a.png" "a")
file(CREATE_LINK "../../../keep" "${ROOT}/app/Temp/122514305/link" SYMBOLIC)
file(CREATE_LINK "../../keep" "${ROOT}/app/Temp/whole" SYMBOLIC)

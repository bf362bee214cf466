# Script mode (cmake -P): makes the installer MSI from the zip's folder STAGE, with the files
# it holds listed by HEAT (wixl-heat) and WXS built by WIXL. Given: STAGE, WXS, ICON, VERSION,
# UPGRADE_CODE, HEAT, WIXL, MSIBUILD, WORK (a folder of its own) and MSI.
# wixl finds no file by an absolute path: every source is named from WORK.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY_FILE ${ICON} ${WORK}/tarnwick.ico)
file(RELATIVE_PATH stage ${WORK} ${STAGE})
file(GLOB_RECURSE files RELATIVE ${WORK} ${STAGE}/*)
list(SORT files)
list(JOIN files "\n" list)
file(WRITE ${WORK}/files.txt "${list}\n")
execute_process(COMMAND ${HEAT} --prefix ${stage}/ --directory-ref INSTALLDIR
                        --component-group Files --var var.Stage --win64
                INPUT_FILE ${WORK}/files.txt OUTPUT_FILE ${WORK}/files.wxs
                COMMAND_ERROR_IS_FATAL ANY)
# The product code follows from the upgrade code and the version: each version has its own,
# and building one again gives the same.
string(UUID product_code NAMESPACE ${UPGRADE_CODE} NAME ${VERSION} TYPE SHA1 UPPER)
execute_process(COMMAND ${WIXL} -a x64 -D Version=${VERSION} -D ProductCode=${product_code}
                        -D UpgradeCode=${UPGRADE_CODE} -D Stage=${stage}
                        -D Icon=tarnwick.ico -D Win64=yes -o ${MSI} ${WXS} files.wxs
                WORKING_DIRECTORY ${WORK} COMMAND_ERROR_IS_FATAL ANY)
# wixl loses text beyond ASCII, so msibuild writes the shortcuts' descriptions, the tooltips a
# Japanese user reads, into the built database once its code page is the Japanese one.
file(WRITE ${WORK}/_ForceCodepage.idt "\n\n932\t_ForceCodepage\n")
set(describe "UPDATE Shortcut SET Description=")
execute_process(COMMAND ${MSIBUILD} ${MSI} -i _ForceCodepage.idt
                        -q "${describe}'温度・湿度計とつないで使います' WHERE Shortcut='ProgramEntry'"
                        -q "${describe}'測定器なしで、内蔵の模擬測定器を相手に動きます' WHERE Shortcut='DemoEntry'"
                WORKING_DIRECTORY ${WORK} COMMAND_ERROR_IS_FATAL ANY)

@echo off
rem Converts every AVI and MPEG video in a folder for a phone screen 176
rem pixels wide. trelvik says how tall each picture becomes once cropped and
rem scaled to 176 pixels wide; ffmpeg then crops and scales it to exactly that
rem size.
rem
rem Usage: convert-for-phone.bat INPUT_DIR OUTPUT_DIR [-ctX] [-cbY] [-clZ] [-crN]
rem
rem The crop options go to trelvik as they are (see the README); ffmpeg crops
rem by the amounts that trelvik reports it used. Every INPUT_DIR\NAME.avi,
rem .mpg, .mpeg or .vob becomes OUTPUT_DIR\NAME.3gp, replacing a file of that
rem name from an earlier run. trelvik.exe and ffmpeg.exe are taken from the
rem PATH.
rem
rem A file that cannot be converted does not stop the others: all of them are
rem listed at the end. Exit code: 0 when every file was converted, 1 when some
rem were not, 2 when the arguments or the tools are wrong.
rem
rem File names are passed in variables and always quoted, never as CALL
rem arguments (which would double ^ and expand % again), so any name that
rem Windows allows is safe.
setlocal EnableExtensions DisableDelayedExpansion
set "ME=%~nx0"

rem Video and audio for an older phone: MPEG-4 Visual (ISO/IEC 14496-2) at 15
rem frames a second and mono AAC, in a 3GP file. Change them to suit your
rem phone.
set "FFMPEG_OPTIONS=-c:v mpeg4 -b:v 256k -r 15 -c:a aac -b:a 48k -ar 22050 -ac 1"

if "%~2"=="" (
  >&2 echo usage: %~nx0 INPUT_DIR OUTPUT_DIR [-ctX] [-cbY] [-clZ] [-crN]
  exit /b 2
)
set "IN_DIR=%~f1"
set "OUT_DIR=%~f2"
if not exist "%IN_DIR%\" (
  >&2 echo %~nx0: no such folder: "%IN_DIR%"
  exit /b 2
)
call :need trelvik.exe
if errorlevel 1 exit /b 2
call :need ffmpeg.exe
if errorlevel 1 exit /b 2
if not exist "%OUT_DIR%\" mkdir "%OUT_DIR%"
if not exist "%OUT_DIR%\" exit /b 2

rem The crop options: every argument after the two folders, as given.
set "CROPS="
:next_crop
if "%~3"=="" goto crops_done
set CROPS=%CROPS% %3
shift /3
goto next_crop
:crops_done

rem A folder for trelvik's output, the list of failures, and one empty marker
rem file for each output name written, so that two inputs that differ only in
rem their extension cannot overwrite each other. Runs started in the same
rem second draw the same random numbers, so a name counts as ours only once
rem our MKDIR has made it.
set /a TRIES=0
:pick_work
set /a TRIES+=1
if %TRIES% gtr 100 (
  >&2 echo %ME%: cannot make a folder in "%TEMP%"
  exit /b 2
)
set "WORK=%TEMP%\convert-for-phone-%RANDOM%%RANDOM%"
mkdir "%WORK%" 2>nul
if errorlevel 1 goto pick_work
mkdir "%WORK%\made"
set "LOG=%WORK%\trelvik.log"
set "FAILED=%WORK%\failed.txt"
set /a FOUND=0, CONVERTED=0

rem From inside the folder, so that the patterns need no quotes.
pushd "%IN_DIR%"
for %%F in (*.avi *.mpg *.mpeg *.vob) do (
  set "INPUT=%%~fF"
  set "NAME=%%~nxF"
  set "STEM=%%~nF"
  call :convert
)
popd

echo.
if %FOUND%==0 (
  echo No AVI or MPEG files in "%IN_DIR%".
  rd /s /q "%WORK%"
  exit /b 0
)
echo Converted %CONVERTED% of %FOUND% files to "%OUT_DIR%".
if not exist "%FAILED%" (
  rd /s /q "%WORK%"
  exit /b 0
)
echo Not converted:
type "%FAILED%"
rd /s /q "%WORK%"
exit /b 1


rem convert: converts the video INPUT (NAME; STEM without its extension), or
rem lists it as not converted.
:convert
set /a FOUND+=1
echo === "%NAME%"
trelvik "%INPUT%" %CROPS% >"%LOG%"
set "HEIGHT=%ERRORLEVEL%"
type "%LOG%"

rem The exit code is the height only after a completed run, whose last line
rem is "Calculated vertical size: N" (no other line can start so, since a
rem Windows file name holds no line break), and a height of 0 cannot be
rem scaled to: the exit code alone cannot tell 0 or 100 from a failure.
rem Only the first two words of a line are compared, as FOR variables: no
rem line of trelvik's has a quote or a special character there, so no text of
rem trelvik's is ever parsed as commands.
set "SIZE="
for /f "usebackq tokens=1,2,4" %%A in ("%LOG%") do (
  if "%%A %%B"=="Calculated vertical" set "SIZE=%%C"
)
if not defined SIZE (
  set "REASON=trelvik did not complete (exit code %HEIGHT%), see its lines above"
  call :fail
  goto :eof
)
if not "%SIZE%"=="%HEIGHT%" (
  set "REASON=trelvik said %SIZE% but exited with %HEIGHT%"
  call :fail
  goto :eof
)
if "%HEIGHT%"=="0" (
  set "REASON=trelvik: the picture is 0 pixels tall after cropping"
  call :fail
  goto :eof
)

rem Crop by what trelvik used, so that its number syntax needs no second
rem reading here: "Cropping: Top=T Bottom=B Left=L Right=R".
for /f "usebackq tokens=1,3,5,7,9 delims== " %%A in ("%LOG%") do (
  if "%%A"=="Cropping:" (
    set "TOP=%%B"
    set "BOTTOM=%%C"
    set "LEFT=%%D"
    set "RIGHT=%%E"
  )
)

if exist "%WORK%\made\%STEM%" (
  set "REASON=the same output name as a file before it"
  call :fail
  goto :eof
)
set "OUTPUT=%OUT_DIR%\%STEM%.3gp"
rem file: keeps ffmpeg from taking a name for a protocol or an option.
ffmpeg -nostdin -hide_banner -loglevel error -y -i "file:%INPUT%" -map 0:v:0 -map 0:a:0? -sn -dn -vf "crop=iw-%LEFT%-%RIGHT%:ih-%TOP%-%BOTTOM%:%LEFT%:%TOP%,scale=176:%HEIGHT%,setsar=1" %FFMPEG_OPTIONS% "file:%OUTPUT%"
rem Not IF ERRORLEVEL 1: a crash gives a negative exit code.
set "STATUS=%ERRORLEVEL%"
if not "%STATUS%"=="0" (
  if exist "%OUTPUT%" del "%OUTPUT%"
  set "REASON=ffmpeg failed (exit code %STATUS%)"
  call :fail
  goto :eof
)
type nul >"%WORK%\made\%STEM%"
set /a CONVERTED+=1
echo --^> "%OUTPUT%" (176x%HEIGHT%)
goto :eof


rem fail: lists NAME as not converted, for REASON.
:fail
>&2 echo %ME%: "%NAME%" not converted: %REASON%
>>"%FAILED%" echo   "%NAME%": %REASON%
goto :eof


rem need PROGRAM: fails, saying so, when PROGRAM is not on the PATH.
:need
if not "%~$PATH:1"=="" exit /b 0
>&2 echo %ME%: %1 is not on the PATH
exit /b 1
